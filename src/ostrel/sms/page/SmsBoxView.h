#pragma once
// The storage controls of the SMS page, built in code: the box tree, the two radio matrices
// behind it (storage position and box; the skin may hide them), the search toggle with its field
// and Go button, and the count labels of the special boxes. The page places this widget; its
// behaviour belongs to SMSController and SmsSource. Each control is named after its role
// (objectName) for the skin and tests.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel {

class NSMatrix;
class NSOutlineViewExt;

class SmsBoxView : public QWidget {
    Q_OBJECT
public:
    struct Row {
        int row;       // the display order
        QString title; // the cell's word, already translated
    };
    // positions: one cell per storage position; boxes: one cell per shown box.
    SmsBoxView(const QList<Row> &positions, const QList<Row> &boxes, QWidget *parent = nullptr);

    NSOutlineViewExt *outlineView_ = nullptr;
    NSMatrix *saveAtPos = nullptr;
    NSMatrix *msgBoxSelectAt = nullptr;
    QPushButton *smsSearchBtn_ = nullptr;
    QLineEdit *SearchSMS_item = nullptr;
    QPushButton *smsGoBtn_ = nullptr;
    QLabel *tfdDeliveryReportBoxMessageNum = nullptr;
    QLabel *tfdDeletedBoxMessageNum_ = nullptr;
    QLabel *tfdImportantBoxMessageNum_ = nullptr;
    QLabel *tfdBroadCastBoxMessageNum_ = nullptr;

    // The count label of box 3 to 6; null for any other box.
    QLabel *countLabelOfBox(int box) const;
};

// The untranslated words of the matrix cells ("PC", "(U)SIM", "SD Card", "ME Position:"; the
// box names with "Delivery Report" for box 3); empty for a code outside the tables.
QString smsPositionMatrixWord(int position);
QString smsBoxMatrixWord(int box);

} // namespace ostrel
