#pragma once
// The cursor reader over the SIM files that the device service hands over as hexadecimal text.
//
// The text ends at its first character that is not a hexadecimal digit (the zero that ends the
// record's text field, or anything else), or at the end of the buffer: nothing past that point is
// ever read. A read that needs more digits than are left gives -1 and an empty text, and a skip
// never moves past the end.

#include <QByteArray>
#include <QString>

namespace ostrel {

class HexCursor {
public:
    HexCursor() = default;
    explicit HexCursor(const QByteArray &text);

    // Hexadecimal digits left before the end.
    int remaining() const { return end_ - pos_; }
    bool atEnd() const { return pos_ >= end_; }

    // The next two, four or six digits as a number; -1 when fewer are left.
    int peekchar() const { return peekDigits(2); }
    int peekword() const { return peekDigits(4); }
    int peektriple() const { return peekDigits(6); }
    void skipchar() { skip(2); }
    void skipword() { skip(4); }
    void skiptriple() { skip(6); }
    int getchar();
    int getword();
    int gettriple();

    // The next two characters swapped, a leading "F" of the pair dropped ("64" gives "46", "F0"
    // gives "0"); empty when fewer than two are left.
    QString peeksemioctex() const;
    void skipsemioctex() { skip(2); }

    // One PLMN of three BCD bytes (MCC digit 2|1, MNC digit 3|MCC digit 3, MNC digit 2|1) as its
    // digits in reading order, MCC then MNC, with the "F" filler dropped: "64F010" gives "46001",
    // "130062" (MCC 310, MNC 260) gives "310260". Empty when fewer than six digits are left.
    QString getPlmnDigits();
    // The same digits read as one hexadecimal number; -1 when fewer than six digits are left.
    int getsemi_triple();

    // The rest of the text as bytes, two digits each; a last single digit is left unread.
    QByteArray getBytes();

private:
    int peekDigits(int count) const;
    void skip(int count);

    QByteArray text_;
    int pos_ = 0;
    int end_ = 0;
};

} // namespace ostrel
