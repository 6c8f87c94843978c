// A dialog service for tests: records every dialog and answers from a script, never blocking.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "DialogService.h"

namespace mz3::test {

class RecordingDialogs : public DialogService {
public:
    struct Shown {
        QString kind;  // "message", "yesno", "okcancel"
        QString caption;
        QString text;
        DialogIcon icon;
    };

    void showMessage(QWidget*, const QString& caption, const QString& text,
                     DialogIcon icon) override {
        shown.push_back({"message", caption, text, icon});
    }
    bool askYesNo(QWidget*, const QString& caption, const QString& text) override {
        shown.push_back({"yesno", caption, text, DialogIcon::Question});
        return nextAnswer();
    }
    bool askOkCancel(QWidget*, const QString& caption, const QString& text) override {
        shown.push_back({"okcancel", caption, text, DialogIcon::Question});
        return nextAnswer();
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;  // consumed in order; an empty script answers No / Cancel

private:
    bool nextAnswer() {
        if (answers.empty()) {
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace mz3::test
