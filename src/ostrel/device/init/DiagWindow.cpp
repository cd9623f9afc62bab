#include "ostrel/device/init/DiagWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace ostrel {

const QList<QList<DiagWindow::Row>> &DiagWindow::tabs()
{
    static const QList<QList<Row>> t = {
        {
            {nullptr, "Hardware Information:"},
            {"Diag_IMEI", "IMEI number:"},
            {"Diag_FWV", "Firmware version:"},
            {"Diag_HWV", "Hardware version:"},
            {"Diag_CNum", "Phone number:"},
            {"Diag_IMSI", "IMSI number:"},
            {"Diag_SerialNum", "Device serial number:"},
            {"Diag_DeviceName", "Device name:"},
            {"Diag_SoftwareVersion", "Software version number:"},
            {"Diag_DriverVersion", "Driver version number:"},
            {"Diag_PCModel", "Computer model:"},
            {"Diag_ManuName", "Manufacturer name:"},
            {"Diag_ManuHomePage", "Manufacturer homepage:"},
        },
        {
            {nullptr, "Mac OS Information:"},
            {"Diag_OSVer", "OS version:"},
            {"Diag_OSLang", "OS language:"},
        },
        {
            {nullptr, "Operational Information:"},
            {"Diag_sms", "Messages in (U)SIM:"},
            {"Diag_contact", "Contacts in (U)SIM:"},
            {"Diag_PinStatus", "PIN code status:"},
            {"Diag_NetworkName", "Network name:"},
            {"Diag_NetworkMode", "Network selection mode:"},
            {"Diag_PreferredMode", "Preferred Mode:"},
            {"Diag_SignalStrength", "Signal strength:"},
            {"tfdDiagIccid", "ICCID:"},
            {"labelSmsCenter_", "SMS center:"},
        },
        {
            {nullptr, "Network Settings:"},
            {"Diag_SerCell", "Serving cell:"},
            {"Diag_CSRegistration", "CS network registration:"},
            {"Diag_PSRegistration", "PS network registration:"},
            {"Diag_PSAttachment", "PS network attachment:"},
            {"Diag_APN", "APN:"},
            {"lalbelTechnology_", "TechnologyFromDiag"},
            {"tfdDiagRSSI_", "RSSI:"},
            {"tfdDiagRSCP_", "RSCP:"},
            {"tfdDiagECNO_", "Ec/No:"},
            {"tfdDiagRAC_", "RAC:"},
            {"tfdDiagRXqual_", "RXqual-sub:"},
            {"tfdDiagRXlev_", "RXlev-sub:"},
            {"tfdDiagFrequency_", "Frequency:"},
            {"tfdDiagChannel_", "Channel:"},
        },
    };
    return t;
}

const QStringList &DiagWindow::segmentTitles()
{
    static const QStringList titles = {QStringLiteral("Device"), QStringLiteral("MacOS"), QStringLiteral("SIM"),
                                       QStringLiteral("Network")};
    return titles;
}

DiagWindow::DiagWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("m_DiagWindow"));
    auto *layout = new QVBoxLayout(this);
    diagSegmentedTable_ = new QTabBar(this);
    diagSegmentedTable_->setObjectName(QStringLiteral("diagSegmentedTable_"));
    for (const QString &title : segmentTitles())
        diagSegmentedTable_->addTab(title);
    layout->addWidget(diagSegmentedTable_);
    diagTableItemView_ = new QStackedWidget(this);
    diagTableItemView_->setObjectName(QStringLiteral("diagTableItemView_"));
    for (const QList<Row> &rows : tabs()) {
        auto *page = new QWidget(diagTableItemView_);
        auto *grid = new QGridLayout(page);
        int line = 0;
        for (const Row &row : rows) {
            auto *label = new QLabel(QLatin1String(row.label), page);
            if (!row.field) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
                grid->addWidget(label, line++, 0, 1, 2);
                headings_ << label;
                headingKeys_ << row.label;
                continue;
            }
            const QString field = QLatin1String(row.field);
            label->setObjectName(QStringLiteral("Label_") + field);
            auto *value = new QLabel(page);
            value->setObjectName(field);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(label, line, 0);
            grid->addWidget(value, line++, 1);
            labels_.insert(field, label);
            values_.insert(field, value);
        }
        grid->setRowStretch(line, 1);
        diagTableItemView_->addWidget(page);
    }
    layout->addWidget(diagTableItemView_, 1);
    connect(diagSegmentedTable_, &QTabBar::currentChanged, diagTableItemView_, &QStackedWidget::setCurrentIndex);

    auto *buttons = new QHBoxLayout;
    btnOpenRssiLacCiWindow_ = new QPushButton(QStringLiteral("RSSI/LAC/Cell ID"), this);
    btnSendReport_ = new QPushButton(QStringLiteral("Send report"), this);
    m_OpenDiagInfoWithTEBtn = new QPushButton(QStringLiteral("Open"), this);
    m_DiagWindowRefreshBtn = new QPushButton(QStringLiteral("Refresh"), this);
    m_DiagWindowOKBtn = new QPushButton(QStringLiteral("OK"), this);
    btnOpenRssiLacCiWindow_->setObjectName(QStringLiteral("btnOpenRssiLacCiWindow_"));
    btnSendReport_->setObjectName(QStringLiteral("btnSendReport_"));
    m_OpenDiagInfoWithTEBtn->setObjectName(QStringLiteral("m_OpenDiagInfoWithTEBtn"));
    m_DiagWindowRefreshBtn->setObjectName(QStringLiteral("m_DiagWindowRefreshBtn"));
    m_DiagWindowOKBtn->setObjectName(QStringLiteral("m_DiagWindowOKBtn"));
    buttons->addWidget(btnOpenRssiLacCiWindow_);
    buttons->addWidget(btnSendReport_);
    buttons->addStretch(1);
    buttons->addWidget(m_OpenDiagInfoWithTEBtn);
    buttons->addWidget(m_DiagWindowRefreshBtn);
    buttons->addWidget(m_DiagWindowOKBtn);
    layout->addLayout(buttons);
    m_DiagWindowOKBtn->setDefault(true);
    resize(460, 520);
}

void DiagWindow::setWording(const std::function<QString(const QString &)> &localise)
{
    setWindowTitle(localise(QStringLiteral("Diagnostics")));
    for (const QList<Row> &rows : tabs())
        for (const Row &row : rows)
            if (row.field)
                labels_.value(QLatin1String(row.field))->setText(localise(QLatin1String(row.label)));
    for (int i = 0; i < headings_.size(); ++i)
        headings_[i]->setText(localise(QLatin1String(headingKeys_[i])));
    for (int i = 0; i < segmentTitles().size(); ++i)
        diagSegmentedTable_->setTabText(i, localise(segmentTitles()[i]));
    m_DiagWindowOKBtn->setText(localise(QStringLiteral("OK")));
    m_DiagWindowRefreshBtn->setText(localise(QStringLiteral("Refresh")));
    m_OpenDiagInfoWithTEBtn->setText(localise(QStringLiteral("Open")));
}

QString DiagWindow::text(const QString &field) const
{
    QLabel *v = values_.value(field);
    return v ? v->text() : QString();
}

void DiagWindow::setText(const QString &field, const QString &text)
{
    if (QLabel *v = values_.value(field))
        v->setText(text);
}

void DiagWindow::selectSegment(int index)
{
    diagSegmentedTable_->setCurrentIndex(index);
}

int DiagWindow::currentSegment() const
{
    return diagSegmentedTable_->currentIndex();
}

} // namespace ostrel
