#pragma once

class myQQuickView;

// Everything the pages read from the current profile through the view.
void readProfilePages(myQQuickView &view);
