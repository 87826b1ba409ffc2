#pragma once
// What the upload protocol needs of the window, each behind a small interface so
// that tests drive the protocol tick by tick without widgets or real time.
#include <QString>
#include <QTime>

namespace corvane {

class UploadTimer
{
public:
    virtual ~UploadTimer() = default;
    virtual void stop() = 0;
    virtual void setInterval(int ms) = 0;
    virtual void start() = 0;  // restarts the countdown if already running
};

class StatusBox
{
public:
    virtual ~StatusBox() = default;
    virtual void replaceText(const QString &text) = 0;
    virtual void appendLine(const QString &line) = 0;
};

class ProgressBar
{
public:
    virtual ~ProgressBar() = default;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual int maximum() const = 0;
};

class UploadButton
{
public:
    virtual ~UploadButton() = default;
    virtual void enable() = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
};

struct LinkPorts
{
    UploadTimer &timer;
    StatusBox &status;
    ProgressBar &progress;
    UploadButton &uploadButton;
    Clock &clock;
};

} // namespace corvane
