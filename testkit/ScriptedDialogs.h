// Message boxes and common dialogs answered by a test. Under the null host the built-in
// services show nothing: they answer with what a test scripted (or the default answer) and
// record every request. The scripts and records are the process's, so this object starts a
// test from empty ones and leaves none behind for the next test, even when the test stops
// half-way. Keep one as a fixture member or a local of the test.
#pragma once

#include "platform/msg/CommonDialogService.h"
#include "platform/msg/MessageBoxService.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace testkit {

class ScriptedDialogs
{
public:
    ScriptedDialogs() { Reset(); }
    ~ScriptedDialogs() { Reset(); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Drops what is scripted and recorded so far.
    void Reset()
    {
        platform::msg::ResetMessageBoxScript();
        platform::msg::ResetCommonDialogScript();
    }

    // ---- message boxes ----

    // The next message boxes answer these (IDOK, IDCANCEL, IDYES ...), in order.
    void AnswerBoxes(std::initializer_list<int> answers)
    {
        for (int answer : answers)
            platform::msg::ScriptMessageBoxAnswer(answer);
    }
    // The next message box calls `answer` (which may pump messages, end a dialog, ...).
    void AnswerBox(std::function<int(const platform::msg::MessageBoxRequest&)> answer)
    {
        platform::msg::ScriptMessageBoxAnswer(std::move(answer));
    }
    // The message boxes shown since the last call, oldest first.
    std::vector<platform::msg::MessageBoxRequest> Boxes() { return platform::msg::TakeShownMessageBoxes(); }
    // Their texts.
    std::vector<std::string> BoxTexts()
    {
        std::vector<std::string> texts;
        for (const platform::msg::MessageBoxRequest& request : Boxes())
            texts.push_back(request.text.GetString());
        return texts;
    }

    // ---- common dialogs ----

    // The next common dialog answers `answer`.
    void AnswerDialog(platform::msg::CommonDialogAnswer answer)
    {
        platform::msg::ScriptCommonDialogAnswer(std::move(answer));
    }
    void AnswerDialog(std::function<platform::msg::CommonDialogAnswer(const platform::msg::CommonDialogRequest&)> answer)
    {
        platform::msg::ScriptCommonDialogAnswer(std::move(answer));
    }
    // The common dialogs shown since the last call, oldest first.
    std::vector<platform::msg::CommonDialogRequest> Dialogs() { return platform::msg::TakeShownCommonDialogs(); }
};

} // namespace testkit
