#pragma once
// What the rest of the dashboard asks of the voice-call controller (CompoundCallController).
//
// DefaultCallController: no call (stage 0); the menu's accept and reject actions do nothing.
#include <QObject>

namespace ostrel {

class CallControllerInterface {
public:
    virtual ~CallControllerInterface() = default;
    // 0 when no call is in progress.
    virtual int callStage() const = 0;
    virtual void selectDialCallStyle(QObject *sender) = 0;
    virtual void hangClicked(QObject *sender) = 0;
};

class DefaultCallController : public CallControllerInterface {
public:
    int callStage() const override { return 0; }
    void selectDialCallStyle(QObject *) override {}
    void hangClicked(QObject *) override {}
};

} // namespace ostrel
