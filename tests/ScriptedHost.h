#pragma once

#include "document/ProgramHost.h"
#include "report/ResultPanes.h"

#include <QStringList>
#include <deque>

// A host for tests: records every message box by its text and kind, answers questions,
// input boxes and vertex choices from queues (an empty queue answers "cancel"/"No").
class ScriptedHost : public ProgramHost {
  public:
    struct Message {
        MessageKind kind;
        QString text;
    };
    struct Input {
        bool confirmed;
        QString text;
    };
    struct Choice {
        bool confirmed;
        int index;
    };

    std::vector<Message> messages;
    QStringList questions;
    // The questions asked as good news (information icon); they are in questions too.
    QStringList informationQuestions;
    QStringList prompts;
    std::deque<bool> yesNoAnswers;
    // Answers to save/discard/cancel questions; while empty, they are asked as yes or no.
    std::deque<SaveAnswer> saveAnswers;
    std::deque<Input> inputs;
    std::deque<Choice> choices;
    int areaWidth = 600, areaHeight = 400;
    QPoint scroll;
    int redraws = 0, matrixRefreshes = 0, menuUpdates = 0, saves = 0;
    QString shownReport;
    int presents = 0;
    QImage presented;
    // The Text pane and report that runs through this host write to.
    ResultPanes panes;

    void ShowMessage(MessageKind kind, const QString& text) override { messages.push_back({kind, text}); }
    bool AskYesNo(const QString& text) override
    {
        questions.append(text);
        if (yesNoAnswers.empty())
            return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    SaveAnswer AskSaveChanges(const QString& text) override
    {
        if (saveAnswers.empty())
            return ProgramHost::AskSaveChanges(text);
        questions.append(text);
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    bool AskInformationYesNo(const QString& text) override
    {
        informationQuestions.append(text);
        return AskYesNo(text);
    }
    bool InputQuery(const QString&, const QString& prompt, QString& value) override
    {
        prompts.append(prompt);
        if (inputs.empty())
            return false;
        const Input input = inputs.front();
        inputs.pop_front();
        if (input.confirmed)
            value = input.text;
        return input.confirmed;
    }
    bool ChooseVertex(const QString& caption, const QStringList&, int& index) override
    {
        prompts.append(caption);
        if (choices.empty())
            return false;
        const Choice choice = choices.front();
        choices.pop_front();
        index = choice.index;
        return choice.confirmed;
    }
    int DrawingAreaWidth() const override { return areaWidth; }
    int DrawingAreaHeight() const override { return areaHeight; }
    QPoint ScrollPosition() const override { return scroll; }
    void Redraw() override { ++redraws; }
    void PresentCanvas(const QImage& surface, bool) override
    {
        ++presents;
        presented = surface;
    }
    void RefreshMatrixWindow() override { ++matrixRefreshes; }
    void UpdateMenus() override { ++menuUpdates; }
    void ShowReportFile(const QString& path) override { shownReport = path; }
    bool SaveGraphCommand() override
    {
        ++saves;
        return true;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto& m : messages)
            texts.append(m.text);
        return texts;
    }
};
