// What a bind reads from: a recordset seen as rows of typed field values.
//
// The fill engine and the drop-down lists walk a recordset through this
// interface only, so the same fill runs over a data set opened through the
// database layer, over a host's own recordset reached late-bound, and over a
// small table in memory. Field types are the database type codes the fill
// converts by (2 small int, 3 integer, 4 single, 5 double, 6 currency,
// 7 date, 8 text, 11 boolean, 14 decimal, 16..21 tiny to big integers,
// 129/130 characters, 131 numeric, 133..135 date, time, time stamp,
// 200..203 var chars).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// One field value as the fill needs it.
struct CBindValue {
    enum Kind { Empty, Null, Integer, Unsigned, Real, Boolean, Date, Text };
    Kind kind = Empty;
    long long nInteger = 0;          // Integer, and Boolean (0 false, else true)
    unsigned long long nUnsigned = 0;
    double dReal = 0.0;              // Real (integers of every width, decimals and currency as full numbers); Date as a serial
    CString strText;                 // Text, code page 936

    static CBindValue MakeNull() { CBindValue v; v.kind = Null; return v; }
    static CBindValue MakeInteger(long long n) { CBindValue v; v.kind = Integer; v.nInteger = n; return v; }
    static CBindValue MakeUnsigned(unsigned long long n) { CBindValue v; v.kind = Unsigned; v.nUnsigned = n; return v; }
    static CBindValue MakeReal(double d) { CBindValue v; v.kind = Real; v.dReal = d; return v; }
    static CBindValue MakeBoolean(bool b) { CBindValue v; v.kind = Boolean; v.nInteger = b ? 1 : 0; return v; }
    static CBindValue MakeDate(double serial) { CBindValue v; v.kind = Date; v.dReal = serial; return v; }
    static CBindValue MakeText(const CString& s) { CBindValue v; v.kind = Text; v.strText = s; return v; }

    bool IsEmptyOrNull() const { return kind == Empty || kind == Null; }
    // The value as a number: integers in full, booleans -1 / 0, texts read
    // with the C locale's decimal point (0 when not a number).
    double AsNumber() const;
    // The value as text, as a drop-down list shows it.
    CString AsText() const;
};

class IBindRecordset {
public:
    virtual ~IBindRecordset() = default;

    virtual BOOL IsOpen() const = 0;
    virtual BOOL IsEOF() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    // Number of records; -1 when it cannot be told.
    virtual int GetRecordCount() = 0;
    virtual int GetFieldCount() = 0;
    // The type code of a field by position or by name; FALSE when there is
    // no such field.
    virtual BOOL GetFieldType(int nIndex, int& nType) = 0;
    virtual BOOL GetFieldType(LPCTSTR szName, int& nType) = 0;
    // The current record's value; FALSE when there is no such field or no
    // current record.
    virtual BOOL GetFieldValue(int nIndex, CBindValue& value) = 0;
    virtual BOOL GetFieldValue(LPCTSTR szName, CBindValue& value) = 0;
    // The position of the field a read by this name finds, for reading it
    // by position from then on; -1 when there is no such field or the
    // recordset cannot tell (its fields are then read by name).
    virtual int FindField(LPCTSTR /*szName*/) { return -1; }
};
