#include "ProfileReads.h"

#include "myQQuickView.h"

void readProfilePages(myQQuickView &view) {
    view.ui_81H_GetReportRate();
    view.ui_88H_GetLEDType();
    for (uchar i = 0; i < 6; ++i) {
        view.ui_92H_GetUserPicture(i);
        view.ui_94H_GetColor(i);
        view.ui_90H_GetLED8StageColor(i);
    }
    view.ui_8BH_GetCurrentDPIStage();
    view.ui_8DH_GetRGBLedEffect();
    view.ui_91H_GetDPISet();
    view.getScrollPinSwap();
    view.getCursorSpeed();
    view.getVerticalScrollLines();
    view.getDoubleClickSpeed();
    for (uchar page = 0; page < 5; ++page)
        view.loadDefaultProfile(page);
}
