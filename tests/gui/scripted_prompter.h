#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "platform/prompter.h"

namespace qzx::test {

/// A Prompter for tests: records every message and answers from a script, so no modal
/// dialog ever blocks a test. Unscripted questions are answered with the negative button.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
        std::optional<QPoint> at; ///< the top-left corner asked for, if any
    };

    Answer message(QWidget*, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override {
        shown.push_back({title, text, icon, buttons, std::nullopt});
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        }
        return Answer::Cancel;
    }
    Answer messageAt(QWidget* parent, QPoint topLeft, const QString& title, const QString& text,
                     Icon icon, Buttons buttons) override {
        const Answer answer = message(parent, title, text, icon, buttons);
        shown.back().at = topLeft;
        return answer;
    }
    std::optional<QString> inputText(QWidget*, const QString& title, const QString& prompt,
                                     const QString& initial) override {
        inputs.push_back({title, prompt, initial});
        if (inputAnswers.empty()) return std::nullopt;
        const QString answer = inputAnswers.front();
        inputAnswers.pop_front();
        if (answer.isNull()) return std::nullopt; // a null text stands for Cancel
        return answer;
    }
    QString openFileName(QWidget*, const QString& title, const QString&,
                         const QString& filter) override {
        fileDialogs.push_back(title + u'|' + filter);
        return nextFile();
    }
    QString saveFileName(QWidget*, const QString& title, const QString&,
                         const QString& filter) override {
        fileDialogs.push_back(title + u'|' + filter);
        return nextFile();
    }
    std::optional<QColor> chooseColor(QWidget*, const QString& title,
                                      const QColor& initial) override {
        colorDialogs.push_back({title, initial});
        if (colorAnswers.empty()) return std::nullopt;
        const std::optional<QColor> answer = colorAnswers.front();
        colorAnswers.pop_front();
        return answer;
    }
    bool choosePrinter(QWidget*, QPrinter&) override {
        ++printDialogs;
        return acceptPrintDialogs;
    }
    bool setUpPage(QWidget*, QPrinter&) override {
        ++pageSetupDialogs;
        return acceptPrintDialogs;
    }
    /// Records the window's object name; `onModal` plays the user's part while the window
    /// is "open" (it is not shown), otherwise the window is closed with Rejected at once.
    int showModal(QDialog& window) override {
        modalWindows << window.objectName();
        return onModal ? onModal(window) : QDialog::Rejected;
    }
    void beep() override { ++beeps; }

    std::deque<Answer> answers;
    std::deque<QString> inputAnswers; ///< QString() answers Cancel
    std::deque<QString> files;
    std::vector<Shown> shown;
    std::vector<QStringList> inputs;
    QStringList fileDialogs;
    std::deque<std::optional<QColor>> colorAnswers; ///< nullopt answers Cancel
    std::vector<std::pair<QString, QColor>> colorDialogs;
    int printDialogs = 0;
    int pageSetupDialogs = 0;
    bool acceptPrintDialogs = false;
    QStringList modalWindows;
    std::function<int(QDialog&)> onModal;
    int beeps = 0;

private:
    QString nextFile() {
        if (files.empty()) return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

} // namespace qzx::test
