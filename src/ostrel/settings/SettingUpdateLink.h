#pragma once
// What the settings window's update options use of the update link: whether updates are supported
// and the options it hands to the update manager. AEMessageUpdateLink is the link itself; tests
// give a recording one.
#include "ostrel/framework/update/AEMessage.h"

#include <QString>

namespace ostrel {

class SettingUpdateLink {
public:
    virtual ~SettingUpdateLink() = default;
    virtual bool isSupportUpdate() const = 0;
    virtual void setAutoUpdate(bool on) = 0;
    virtual void setServiceAddress(const QString &address) = 0;
    virtual void setUpdateDuration(int days) = 0;
    virtual void send_Init_Msg() = 0;
    virtual void send_ManualUpdate_Msg() = 0;
};

class AEMessageUpdateLink : public SettingUpdateLink {
public:
    // link: null means the shared link at each call.
    explicit AEMessageUpdateLink(AEMessage *link = nullptr) : link_(link) {}
    bool isSupportUpdate() const override { return link()->isSupportUpdate(); }
    void setAutoUpdate(bool on) override { link()->setAutoUpdate(on); }
    void setServiceAddress(const QString &address) override { link()->setServiceAddress(address); }
    void setUpdateDuration(int days) override { link()->setUpdateDuration(days); }
    void send_Init_Msg() override { link()->send_Init_Msg(); }
    void send_ManualUpdate_Msg() override { link()->send_ManualUpdate_Msg(); }

private:
    AEMessage *link() const { return link_ ? link_ : AEMessage::defaultAEMessage(); }
    AEMessage *link_;
};

} // namespace ostrel
