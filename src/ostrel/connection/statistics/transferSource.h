#pragma once
// The statistics page's outline of the running connection (transferForm):
//
//   Transfer
//     Transfer Time:   "00:00:00"
//     Upload           Speed:, Data:
//     Download         Speed:, Data:
//
// "ConnectStatistics" fills it with the connection controller's own texts ("ConnectTime",
// "UploadSpeed", "UploadData", "DowloadSpeed", "DowloadData"; only the rows whose key is there
// change); the zero values posted when a connection ends bring it back to zero. With the
// top-level switch DiffSpeedWording the speed rows are named "Upload Speed:" and "Download Speed:".
#include "ostrel/connection/statistics/StatisticsOutlineSource.h"

namespace ostrel {

class transferSource : public StatisticsOutlineSource {
    Q_OBJECT
public:
    explicit transferSource(const ControllerContext &context = ControllerContext::shared(), QObject *parent = nullptr);
    ~transferSource() override;

    Q_INVOKABLE void receiveConnectStatistics(const yov::Notification &n);
    // The connection controller's texts (nothing for an empty dictionary).
    void reloadTransferSendData(const QVariantMap &info);
    // The values themselves: KB, KB per second and seconds, in the units of Record/ConnectRateUnit
    // ("Kbps": bits) and Record/ConnectDataUnit ("Kb": bits).
    void reloadTransferSendData(double sendKB, double receiveKB, double sendSpeed, double receiveSpeed,
                                qint64 connectSeconds);
    // Zero speeds and amounts, unless a connection is being made or stands.
    void clearTransferSourceView();
    void init_transfer_view();

    Q_INVOKABLE void deviceRemoved(const yov::Notification &n);
    Q_INVOKABLE void updateLanguages() override;

protected:
    void initializeNibResources() override;
    void registerMessages() override;

private:
    Node *transferTime_ = nullptr;
    Node *Upload = nullptr;
    Node *Download = nullptr;
};

// The one transfer form; null when none exists.
transferSource *transferForm();

} // namespace ostrel
