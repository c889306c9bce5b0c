#pragma once

#include <QObject>

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void testScramblerMatchesWorkedExamples();
    void handWorkedCommandIsUnderstood();
    void answersAreScrambledWithTheirChecksum();
    void bulkGetAnswersArePlain();
    void badChecksumIsRefused();
    void frameScrambledWithAnotherCodeIsRefused();
    void configuredCodeIsUsed();
    void unknownCommandIsRefused();
};
