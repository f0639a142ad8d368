#include "timing_report.h"

#include <chrono>
#include <optional>
#include <cstdio>

#include <QEvent>
#include <QObject>
#include <QPushButton>

#include "ui/qt/main_window.h"

namespace korimbo {
namespace {

class TimingReport : public QObject
{
  public:
    TimingReport(MainWindow &window, QPushButton &button) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
        button.installEventFilter(this);
        // Connected after the Convert command, so this runs once the command has returned.
        connect(&button, &QPushButton::clicked, this, [this] { commandDone_ = clickStart_.has_value(); });
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        using namespace std::chrono;
        if (watched != &window_) {
            if (event->type() == QEvent::MouseButtonRelease)
                clickStart_ = steady_clock::now();
            return false;
        }
        // The window paints itself and its controls while it handles the update request.
        if (event->type() != QEvent::UpdateRequest && event->type() != QEvent::Paint)
            return false;
        window_.removeEventFilter(this);
        const bool handled = static_cast<QObject &>(window_).event(event);
        window_.installEventFilter(this);
        if (!shownReported_) {
            shownReported_ = true;
            const auto now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
            std::fprintf(stderr, "korimbo: shown at %lld ns\n", static_cast<long long>(now));
        } else if (commandDone_) {
            const auto took = duration_cast<microseconds>(steady_clock::now() - *clickStart_).count();
            std::fprintf(stderr, "korimbo: conversion and repaint took %lld us\n", static_cast<long long>(took));
            clickStart_.reset();
            commandDone_ = false;
        }
        std::fflush(stderr);
        return handled;
    }

  private:
    MainWindow &window_;
    bool shownReported_ = false;
    bool commandDone_ = false;
    std::optional<std::chrono::steady_clock::time_point> clickStart_;
};

} // namespace

void InstallTimingReport(MainWindow &window)
{
    if (auto *button = window.findChild<QPushButton *>(QStringLiteral("按钮1")))
        new TimingReport(window, *button);
}

} // namespace korimbo
