#pragma once
// What the rest of the dashboard asks of the records controller (DialRecordController): the
// per-SIM record file.
//
// DefaultDialRecordController keeps the current file name ("dialRecordData.plist" until a SIM
// switches it) and tells its path in the ModemList folder; it holds no records.
#include <QString>

namespace ostrel {

class ConfigManager;

class DialRecordControllerInterface {
public:
    static constexpr const char *kCMDialRecordFile = "dialRecordData.plist";

    virtual ~DialRecordControllerInterface() = default;
    // Makes the file name current and loads its records; an empty name is ignored.
    virtual void loadRecordList(const QString &fileName) = 0;
    virtual QString dialRecordFileName() const = 0;
    // The ModemList folder joined with the current file name.
    virtual QString dialRecordFilePath() const = 0;
};

class DefaultDialRecordController : public DialRecordControllerInterface {
public:
    explicit DefaultDialRecordController(ConfigManager *config = nullptr) : config_(config) {}
    void setConfig(ConfigManager *config) { config_ = config; }

    void loadRecordList(const QString &fileName) override;
    QString dialRecordFileName() const override { return fileName_; }
    QString dialRecordFilePath() const override;

private:
    ConfigManager *config_ = nullptr; // null: the shared store
    QString fileName_ = QString::fromLatin1(kCMDialRecordFile);
};

} // namespace ostrel
