#pragma once
// The diagnostics sheet: a segmented control over four tabs ("Device", "MacOS", "SIM",
// "Network"), each a column of label/value rows, and the buttons OK, Refresh and Open. Every
// label is named "Label_<field>" and every value "<field>" (Diag_IMEI, tfdDiagRSCP_, ...), so
// that the controller fills them by name.
#include <QDialog>
#include <QHash>
#include <QStringList>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace ostrel {

class DiagWindow : public QDialog {
    Q_OBJECT
public:
    struct Row {
        const char *field; // the value field's name; null for a heading
        const char *label; // the label's text key
    };
    // The rows of each tab, in the order of the export for the first three.
    static const QList<QList<Row>> &tabs();
    static const QStringList &segmentTitles();

    explicit DiagWindow(QWidget *parent = nullptr);

    void setWording(const std::function<QString(const QString &)> &localise);
    QLabel *value(const QString &field) const { return values_.value(field); }
    QLabel *label(const QString &field) const { return labels_.value(field); }
    QString text(const QString &field) const;
    void setText(const QString &field, const QString &text);
    void selectSegment(int index);
    int currentSegment() const;

    QTabBar *diagSegmentedTable_ = nullptr;
    QStackedWidget *diagTableItemView_ = nullptr;
    QPushButton *m_DiagWindowOKBtn = nullptr;
    QPushButton *m_DiagWindowRefreshBtn = nullptr;
    QPushButton *m_OpenDiagInfoWithTEBtn = nullptr;
    QPushButton *btnOpenRssiLacCiWindow_ = nullptr;
    QPushButton *btnSendReport_ = nullptr;

private:
    QHash<QString, QLabel *> values_;
    QHash<QString, QLabel *> labels_;
    QList<QLabel *> headings_;
    QList<const char *> headingKeys_;
};

} // namespace ostrel
