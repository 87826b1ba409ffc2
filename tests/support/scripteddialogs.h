#pragma once
// Answers the program's dialogs from a script, so tests never block on a person.
#include "ui/dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace corvane::test {

class ScriptedDialogs : public DialogProvider
{
public:
    struct SaveAnswer
    {
        QString path;          // empty: cancel
        int filterIndex = 0;   // 0: keep the proposed type
        std::vector<int> typeChanges;  // types picked while the dialog is open
    };

    std::deque<SaveAnswer> saveAnswers;
    std::deque<QString> openAnswers;              // empty string: cancel
    std::deque<std::optional<uint32_t>> colourAnswers;  // nullopt: cancel

    std::vector<SaveDialogState> savesSeen;       // settings as each save dialog opened
    std::vector<QString> openTitlesSeen;
    std::vector<QString> errors;                  // texts of error boxes shown
    std::vector<QString> errorTitles;             // and their titles

    bool runSave(SaveDialogState &dlg, const std::function<void(int)> &typeChange) override
    {
        savesSeen.push_back(dlg);
        if (saveAnswers.empty())
            return false;
        SaveAnswer a = saveAnswers.front();
        saveAnswers.pop_front();
        for (int t : a.typeChanges) {
            dlg.FilterIndex = t;
            if (typeChange)
                typeChange(t);
        }
        if (a.path.isEmpty())
            return false;
        if (a.filterIndex > 0)
            dlg.FilterIndex = a.filterIndex;
        dlg.FileName = applyDefaultExtension(a.path, dlg.DefaultExt);
        return true;
    }

    bool runOpen(const QString &title, const QString &, QString &fileName) override
    {
        openTitlesSeen.push_back(title);
        if (openAnswers.empty())
            return false;
        const QString a = openAnswers.front();
        openAnswers.pop_front();
        if (a.isEmpty())
            return false;
        fileName = a;
        return true;
    }

    bool runColour(uint32_t &colour) override
    {
        if (colourAnswers.empty())
            return false;
        const auto a = colourAnswers.front();
        colourAnswers.pop_front();
        if (!a)
            return false;
        colour = *a;
        return true;
    }

    void showError(const QString &title, const QString &text) override
    {
        errorTitles.push_back(title);
        errors.push_back(text);
    }
};

} // namespace corvane::test
