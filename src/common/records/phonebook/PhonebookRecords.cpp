#include "common/records/phonebook/PhonebookRecords.h"

namespace yov {

namespace {

void putPhonebookText(PayloadWriter &w, int offset, int width, const QString &text)
{
    w.setText(offset, width, utf8Within(text, width - 1));
}

} // namespace

// ---------------------------------------------------------------------------------------------

QByteArray PhonebookInitRecord::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(kOffNumberLength, numberLength);
    w.setInt32(kOffNameLength, nameLength);
    w.setInt32(kOffMinIndex, minIndex);
    w.setInt32(kOffMaxIndex, maxIndex);
    putPhonebookText(w, kOffPath, kLenPath, path);
    w.setInt32(kOffNumber2Length, number2Length);
    w.setInt32(kOffNumber3Length, number3Length);
    w.setInt32(kOffEmailLength, emailLength);
    w.setInt32(kOffStorage, storage);
    return w.data();
}

PhonebookInitRecord PhonebookInitRecord::decode(const PayloadReader &payload)
{
    PhonebookInitRecord r;
    r.numberLength = payload.int32(kOffNumberLength);
    r.nameLength = payload.int32(kOffNameLength);
    r.minIndex = payload.int32(kOffMinIndex);
    r.maxIndex = payload.int32(kOffMaxIndex);
    // Bytes the record does not carry read as zero, so only a carried field can lack its zero.
    const QByteArray path = payload.text(kOffPath, kLenPath);
    r.pathTerminated = path.size() < kLenPath;
    r.path = QString::fromUtf8(path);
    r.number2Length = payload.int32(kOffNumber2Length);
    r.number3Length = payload.int32(kOffNumber3Length);
    r.emailLength = payload.int32(kOffEmailLength);
    r.storage = payload.int32(kOffStorage);
    return r;
}

// ---------------------------------------------------------------------------------------------

QByteArray PhonebookStorageRequest::encode() const { return int32Words({storage}); }

PhonebookStorageRequest PhonebookStorageRequest::decode(const PayloadReader &payload)
{
    return {payload.int32(0)};
}

// ---------------------------------------------------------------------------------------------

QByteArray PhonebookWriteRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(kOffIndex, index);
    putPhonebookText(w, kOffName, kLenName, name);
    putPhonebookText(w, kOffNumber1, kLenNumber, number1);
    putPhonebookText(w, kOffNumber2, kLenNumber, number2);
    putPhonebookText(w, kOffNumber3, kLenNumber, number3);
    putPhonebookText(w, kOffEmail, kLenEmail, email);
    w.setInt32(kOffOperation, operation);
    return w.data();
}

PhonebookWriteRequest PhonebookWriteRequest::decode(const PayloadReader &payload)
{
    PhonebookWriteRequest r;
    r.index = payload.int32(kOffIndex);
    r.name = payload.utf8Text(kOffName, kLenName);
    r.number1 = payload.utf8Text(kOffNumber1, kLenNumber);
    r.number2 = payload.utf8Text(kOffNumber2, kLenNumber);
    r.number3 = payload.utf8Text(kOffNumber3, kLenNumber);
    r.email = payload.utf8Text(kOffEmail, kLenEmail);
    r.operation = payload.int32(kOffOperation);
    return r;
}

// ---------------------------------------------------------------------------------------------

QByteArray PhonebookWriteResult::encode() const { return int32Words({0, index, operation, result}); }

PhonebookWriteResult PhonebookWriteResult::decode(const PayloadReader &payload)
{
    PhonebookWriteResult r;
    r.index = payload.int32(kOffIndex);
    r.operation = payload.int32(kOffOperation);
    r.result = payload.int32(kOffResult);
    return r;
}

} // namespace yov
