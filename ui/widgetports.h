#pragma once
// The transfer window's controls as the upload protocol sees them.
#include "device/linkports.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace corvane {

class TimerPort : public UploadTimer
{
public:
    explicit TimerPort(QTimer &timer) : m_timer(timer) {}
    void stop() override { m_timer.stop(); }
    void setInterval(int ms) override { m_timer.setInterval(ms); }
    void start() override { m_timer.start(); }

private:
    QTimer &m_timer;
};

class StatusBoxPort : public StatusBox
{
public:
    explicit StatusBoxPort(QTextEdit &edit) : m_edit(edit) {}
    void replaceText(const QString &text) override { m_edit.setPlainText(text); }
    void appendLine(const QString &line) override { m_edit.append(line); }

private:
    QTextEdit &m_edit;
};

class ProgressBarPort : public ProgressBar
{
public:
    explicit ProgressBarPort(QProgressBar &bar) : m_bar(bar), m_maximum(bar.maximum()) {}
    void setRange(int minimum, int maximum) override
    {
        m_maximum = maximum;
        // Equal ends would make the bar a busy indicator that never stops, as for an
        // instrument announcing records but no blocks; that one gets an empty bar.
        m_bar.setRange(minimum, std::max(maximum, minimum + 1));
    }
    void setPosition(int position) override { m_bar.setValue(position); }
    int maximum() const override { return m_maximum; }

private:
    QProgressBar &m_bar;
    int m_maximum;
};

class ButtonPort : public UploadButton
{
public:
    explicit ButtonPort(QPushButton &button) : m_button(button) {}
    void enable() override { m_button.setEnabled(true); }

private:
    QPushButton &m_button;
};

class SystemClock : public Clock
{
public:
    QTime timeOfDay() const override { return QTime::currentTime(); }
};

} // namespace corvane
