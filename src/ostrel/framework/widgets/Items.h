#pragma once
// Items without a widget of their own: a toolbar item, a tab item and a text cell.

#include <QAction>
#include <QColor>
#include <QPointer>
#include <QString>

#include <functional>

class QTabWidget;

namespace ostrel {

// A toolbar item that keeps its untranslated label and tool tip (for re-localisation), a saved
// action and a URL label; all empty at creation.
class NSToolbarItemExt : public QAction {
    Q_OBJECT
public:
    explicit NSToolbarItemExt(QObject *parent = nullptr) : QAction(parent) {}

    QString englishLabel;
    QString englishToolTip;
    std::function<void()> backUpAction;
    QString urlLabel_;

    void setUrlLabel(const QString &label) { urlLabel_ = label; }
    QString urlLabel() const { return urlLabel_; }
};

// A tab of a tab view: identifier, label and the page widget. The skin may register it (it takes
// nothing from its item but the registration); the page is dressed through its own entry.
class NSTabViewItem : public QObject {
    Q_OBJECT
public:
    NSTabViewItem(const QString &identifier, QWidget *view, QObject *parent = nullptr);

    QString identifier() const { return identifier_; }
    QWidget *view() const { return view_; }
    QString label() const { return label_; }
    void setLabel(const QString &label);
    // Adds the page to the tab view under this item's identifier and label.
    void addToTabView(QTabWidget *tabView);
    QTabWidget *tabView() const { return tabView_; }

private:
    QString identifier_;
    QString label_;
    QPointer<QWidget> view_;
    QPointer<QTabWidget> tabView_;
};

// A text cell that the view holding it draws (a table column's cells, for one): its text colour
// and hidden state, which the skin sets, and its text. The holder follows changed().
class NSTextFieldCell : public QObject {
    Q_OBJECT
public:
    explicit NSTextFieldCell(QObject *parent = nullptr) : QObject(parent) {}

    void setStringValue(const QString &text);
    QString stringValue() const { return stringValue_; }
    // An invalid colour leaves the holder's own.
    void setTextColor(const QColor &color);
    QColor textColor() const { return textColor_; }
    void setHidden(bool hidden);
    bool isHidden() const { return hidden_; }

signals:
    void changed();

private:
    QString stringValue_;
    QColor textColor_;
    bool hidden_ = false;
};

} // namespace ostrel
