#include "Soak.h"

#include "ArgumentMaker.h"
#include "Hid_Thread.h"
#include "IniFileCheck.h"
#include "ResourceProbe.h"
#include "SlotDomains.h"
#include "SlotInvoker.h"
#include "SoakPrompt.h"
#include "StoragePaths.h"
#include "StorageSandbox.h"
#include "VirtualMouse.h"
#include "WireCheck.h"
#include "myQQuickView.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

constexpr qint64 PhaseMinMs = 2000, PhaseMaxMs = 10000;
constexpr qint64 SampleEveryMs = 1000;
// Slack per call for its file work and the scheduler, beyond what its exchanges may take.
constexpr qint64 CallSlackMs = 1500;
// A call that has not returned after this long is stuck for good.
constexpr int StuckSeconds = 120;
constexpr int MouseReportLength = 32;

std::atomic<int> framesSent{0};
std::atomic<qint64> callStartedMs{0};
std::atomic<bool> finished{false};
QString currentSlot;

// Counts the command frames the link sends (its "q7.hid" debug lines); everything else stays out
// of the soak's report.
void countFrames(QtMsgType, const QMessageLogContext &context, const QString &text) {
    if (qstrcmp(context.category, "q7.hid") == 0 && text.startsWith(QLatin1String("feature_out")))
        ++framesSent;
}

QStringList macroNames(myQQuickView &view) {
    QStringList names = view.getMacroIniNames();
    for (QString &name : names)
        name.chop(StoragePaths::macroSuffix.size());
    return names;
}

QStringList unreadableFiles() {
    QStringList files{StoragePaths::appConfig};
    for (int i = 0; i < SettingsFiles::profileCount; ++i)
        files.append(StoragePaths::profile(i));
    for (const QString &name : QDir(StoragePaths::macroDir).entryList({"*.bin"}, QDir::Files))
        files.append(StoragePaths::macroDir + name);
    QStringList problems;
    for (const QString &file : files)
        if (const QString problem = IniFileCheck::problem(file); !problem.isEmpty())
            problems.append(QStringLiteral("%1 does not read back: %2").arg(file, problem));
    return problems;
}

// The files the soak's file dialogs offer: a good profile, a damaged one, a folder, a macro to
// import under a good name and under a bad one, paths that do not exist or cannot be written.
void offerFiles(const QTemporaryDir &scratch, QStringList &open, QStringList &save) {
    const auto at = [&](const char *name) { return scratch.filePath(QString::fromUtf8(name)); };
    QFile::copy(StoragePaths::profile(1), at("good.pf"));
    StorageSandbox::writeFile(at("damaged.pf"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
    QDir().mkpath(at("folder.pf"));
    StorageSandbox::writeFile(at("Imported.bin"),
                              "[config]\nindex=-1\ntotal=1\nrepeat=1\ndid=1\n[macro]\n0=A      "
                              "[\xe6\x8c\x89\xe4\xb8\x8b]\n");
    QFile::copy(at("Imported.bin"), at("..bin"));
    open = {at("good.pf"), at("damaged.pf"), at("folder.pf"), at("Imported.bin"),
            at("..bin"),   at("missing.pf"), QString()};
    save = {at("export.pf"), at("export.bin"), at("no folder/export.pf"), QString()};
}

} // namespace

QString Soak::chooseFaults(long &slowMs) {
    slowMs = 0;
    QStringList faults;
    const int count = std::uniform_int_distribution(0, 2)(m_random);
    for (int i = 0; i < count; ++i) {
        switch (std::uniform_int_distribution(0, 3)(m_random)) {
        case 0:
            faults.append(QStringLiteral("unplug-after:%1")
                              .arg(std::uniform_int_distribution(0, 40)(m_random)));
            break;
        case 1:
            faults.append(QStringLiteral("stall"));
            break;
        case 2:
            faults.append(QStringLiteral("write-error"));
            break;
        case 3:
            slowMs = std::uniform_int_distribution(5, 40)(m_random);
            faults.append(QStringLiteral("slow:%1").arg(slowMs));
            break;
        }
    }
    return faults.join(QLatin1Char(','));
}

qint64 Soak::exchangeBoundMs(long slowMs) const {
    // Waiting for the link, two settle pauses, every report of the largest bulk transfer (with
    // the frame and its answer) spaced and slowed, and one bulk read that times out.
    const qint64 reports = Hid_Thread::BulkAreaSize / MouseReportLength + 2;
    return qint64(Hid_Thread::ClaimRounds) * Hid_Thread::ClaimWaitMs +
           4 * Hid_Thread::SettleStepMs + reports * (Hid_Thread::ReportSpacingMs + slowMs) +
           Hid_Thread::BulkReadTimeoutMs;
}

bool Soak::run() {
    qInstallMessageHandler(countFrames);
    QLoggingCategory::setFilterRules(QStringLiteral("q7.hid.debug=true"));
    StorageSandbox sandbox;
    QTemporaryDir scratch;
    if (!sandbox.isReady() || !scratch.isValid()) {
        std::fprintf(stderr, "soak: no folder to work in\n");
        return false;
    }
    QStringList openChoices, saveChoices;
    offerFiles(scratch, openChoices, saveChoices);
    SoakPrompt prompt([this](int n) { return std::uniform_int_distribution(0, n - 1)(m_random); },
                      openChoices, saveChoices);

    VirtualMouse mouse;
    Hid_Thread hid;
    myQQuickView view(nullptr, false);
    hid.setSettingsSource([&view] { return view.appSettings(); });
    hid.setTitleSource([] { return QStringLiteral("soak"); });
    view.setDeviceLink(&hid);
    mouse.connect(hid);
    const SlotInvoker invoker(&view);
    ArgumentMaker maker(m_random);

    QList<QMetaMethod> slotList;
    const QMetaObject *meta = view.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Slot &&
            meta->method(i).access() == QMetaMethod::Public)
            slotList.append(meta->method(i));

    // Stops the soak when a call never returns: that is a fault, and the figures would never come.
    std::thread watchdog([] {
        while (!finished) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const qint64 started = callStartedMs;
            if (started && QDateTime::currentMSecsSinceEpoch() - started > StuckSeconds * 1000) {
                std::fprintf(stderr, "soak: FAULT: %s has not returned for %d s\n",
                             qPrintable(currentSlot), StuckSeconds);
                std::_Exit(1);
            }
        }
    });

    Counts counts;
    QStringList problems;
    ResourceProbe probe;
    WireCheck wire(MouseReportLength);
    QElapsedTimer clock;
    clock.start();
    qint64 nextSample = 0, phaseEnd = 0;
    long slowMs = 0;

    while (clock.elapsed() < m_seconds * 1000) {
        if (clock.elapsed() >= phaseEnd) {
            hid.waitForSend();
            wire.check(mouse.log());
            mouse.clearLog();
            problems.append(unreadableFiles());
            ++counts.fileChecks;
            const QString faults = chooseFaults(slowMs);
            ++counts.phases;
            if (faults.isEmpty())
                ++counts.faults[QStringLiteral("none")];
            for (const QString &fault : faults.split(QLatin1Char(','), Qt::SkipEmptyParts))
                ++counts.faults[fault.section(QLatin1Char(':'), 0, 0)];
            qputenv("Q7_VIRTUAL_FAULT", faults.toLatin1());
            mouse.restart(); // unplugged and plugged in again
            mouse.connect(hid);
            phaseEnd =
                clock.elapsed() + std::uniform_int_distribution(PhaseMinMs, PhaseMaxMs)(m_random);
        }
        if (clock.elapsed() >= nextSample) {
            probe.sample();
            nextSample = clock.elapsed() + SampleEveryMs;
        }

        const QMetaMethod &slot =
            slotList.at(std::uniform_int_distribution(0, int(slotList.size()) - 1)(m_random));
        const QString name = QString::fromLatin1(slot.name());
        const QStringList macros = macroNames(view);
        QStringList args;
        bool broken = false;
        for (int i = 0; i < slot.parameterCount(); ++i) {
            args.append(maker.make(name, slot.parameterType(i),
                                   QString::fromLatin1(slot.parameterNames().at(i)), macros));
            broken |= maker.lastWasBroken();
        }
        ++counts.calls;
        counts.broken += broken;
        const SlotInvoker::Prepared prepared = invoker.prepare(name, args);
        if (!prepared.error.isEmpty()) {
            ++counts.refusedTypes;
            continue;
        }
        // The file dialogs' answers come from the prompt's choices, as q7ctl's come from its
        // command line.
        const SlotDomains::Context context{view.currentDeviceType(), macros,
                                           std::bernoulli_distribution(0.5)(m_random),
                                           openChoices + saveChoices};
        if (SlotDomains::check(name, prepared.args, context, prepared.parameterNames)) {
            ++counts.refusedDomains;
            continue;
        }

        const int framesBefore = framesSent;
        currentSlot = name;
        QElapsedTimer took;
        took.start();
        callStartedMs = QDateTime::currentMSecsSinceEpoch();
        const SlotInvoker::Result result = invoker.call(name, args);
        hid.waitForSend();
        callStartedMs = 0;
        const qint64 ms = took.elapsed();
        QCoreApplication::processEvents();
        ++counts.called;

        const QList<ExchangeFailure> failed = hid.takeFailures();
        for (const ExchangeFailure &f : failed)
            ++counts.failures[ExchangeFailure::causeText(f.cause)];
        const int exchanges = framesSent - framesBefore + int(failed.size());
        counts.frames += framesSent - framesBefore;
        const qint64 bound = (exchanges + 1) * exchangeBoundMs(slowMs) + CallSlackMs;
        if (ms > counts.slowestMs)
            counts.slowestMs = ms, counts.slowestBoundMs = bound;
        if (exchanges > 0)
            counts.slowestPerExchangeMs = std::max(counts.slowestPerExchangeMs, ms / exchanges);
        if (ms > bound)
            problems.append(QStringLiteral("%1(%2) took %3 ms, beyond its bound of %4 ms "
                                           "(%5 exchanges)")
                                .arg(name, args.join(QStringLiteral(", ")))
                                .arg(ms)
                                .arg(bound)
                                .arg(exchanges));

        // A macro saved is a macro kept: it reads back line for line.
        if (name == QLatin1String("saveMacroIni") && result.value && result.value->toBool()) {
            ++counts.savedMacros;
            const QString macro =
                QJsonDocument::fromJson('[' + args[0].toUtf8() + ']')[0].toString();
            QStringList lines;
            for (const QJsonValue &v : QJsonDocument::fromJson(args[1].toUtf8()).array())
                lines.append(v.toString());
            if (view.loadMacroIni(macro) != lines)
                problems.append(
                    QStringLiteral("macro \"%1\" does not read back as saved").arg(macro));
        }
    }
    hid.waitForSend();
    wire.check(mouse.log());
    problems.append(unreadableFiles());
    ++counts.fileChecks;
    probe.sample();
    finished = true;
    watchdog.join();

#if defined(__SANITIZE_ADDRESS__)
    const bool judgeMemory = false;
#else
    const bool judgeMemory = true;
#endif
    problems.append(wire.problems());
    problems.append(probe.growth(judgeMemory));
    counts.warnings = prompt.warnings;
    report(counts, probe, wire, problems);
    return problems.isEmpty();
}

void Soak::report(const Counts &c, const ResourceProbe &probe, const WireCheck &wire,
                  const QStringList &problems) const {
    auto print = [](const QString &line) { std::printf("%s\n", qUtf8Printable(line)); };
    print(QStringLiteral("soak: %1 s, seed %2").arg(m_seconds).arg(m_seed));
    print(QStringLiteral("  calls %1 (%2 with an argument made to be refused): refused by type %3, "
                         "by domain %4, called %5")
              .arg(c.calls)
              .arg(c.broken)
              .arg(c.refusedTypes)
              .arg(c.refusedDomains)
              .arg(c.called));
    QStringList causes;
    for (auto it = c.failures.begin(); it != c.failures.end(); ++it)
        causes.append(QStringLiteral("%1 %2").arg(it.value()).arg(it.key()));
    print(QStringLiteral("  exchanges: %1 frames sent; failed: %2")
              .arg(c.frames)
              .arg(causes.isEmpty() ? QStringLiteral("none") : causes.join(QStringLiteral(", "))));
    QStringList faults;
    for (auto it = c.faults.begin(); it != c.faults.end(); ++it)
        faults.append(QStringLiteral("%1 %2").arg(it.key()).arg(it.value()));
    print(QStringLiteral("  fault phases %1 (phases with each fault: %2)")
              .arg(c.phases)
              .arg(faults.join(QStringLiteral(", "))));
    print(QStringLiteral("  slowest call %1 ms (its bound %2 ms); slowest per exchange %3 ms")
              .arg(c.slowestMs)
              .arg(c.slowestBoundMs)
              .arg(c.slowestPerExchangeMs));
    print(QStringLiteral("  wire: %1 frames and %2 output reports checked: %3 malformed, %4 "
                         "refused by the mouse")
              .arg(wire.frames())
              .arg(wire.outputs())
              .arg(wire.malformed())
              .arg(wire.refused()));
    print(QStringLiteral("  files: all settings and macro files checked %1 times; %2 saved macros "
                         "read back; %3 warnings shown")
              .arg(c.fileChecks)
              .arg(c.savedMacros)
              .arg(c.warnings));
    const ResourceProbe::Sample first = probe.first(), last = probe.last(), peak = probe.peak();
    print(
        QStringLiteral("  resident memory %1 -> %2 KiB (peak %3); descriptors %4 -> %5 (peak %6); "
                       "threads %7 -> %8 (peak %9); %10 samples")
            .arg(first.residentKiB)
            .arg(last.residentKiB)
            .arg(peak.residentKiB)
            .arg(first.descriptors)
            .arg(last.descriptors)
            .arg(peak.descriptors)
            .arg(first.threads)
            .arg(last.threads)
            .arg(peak.threads)
            .arg(probe.samples()));
    if (problems.isEmpty()) {
        print(QStringLiteral("soak: clean"));
        return;
    }
    print(QStringLiteral("soak: %1 faults").arg(problems.size()));
    for (const QString &p : problems.mid(0, 40))
        print(QStringLiteral("  FAULT: ") + p);
}
