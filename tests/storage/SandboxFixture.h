#pragma once

#include "ConsolePrompt.h"
#include "StorageSandbox.h"

#include <QTest>

#include <memory>

// The storage tests' init() and cleanup(): a fresh sandbox per test, and a console prompt that
// answers yes and counts warnings, installed for the test's length.
class SandboxFixture {
protected:
    void startSandbox() {
        m_sandbox = std::make_unique<StorageSandbox>();
        QVERIFY(m_sandbox->isReady());
        m_prompt = std::make_unique<ConsolePrompt>(true);
        UserPrompt::install(m_prompt.get());
    }
    void endSandbox() {
        UserPrompt::install(nullptr);
        m_prompt.reset();
        m_sandbox.reset();
    }

    std::unique_ptr<StorageSandbox> m_sandbox;
    std::unique_ptr<ConsolePrompt> m_prompt;
};
