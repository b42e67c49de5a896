// The references of a compiled form: telling an invalid one, and letting
// every reference follow rows and columns that are inserted, deleted or moved.
//
// A reference (a cell or a range operand) is invalid when a row or column it
// names lies below 0: the line it named was deleted, or a stored form said so.
// An invalid reference keeps its kind, so it is stored and read back like any
// other; it evaluates to FORMULA_MSG_INVALID_REFERENCE and renders as that
// text (FORMULA_EXPORT_INVALID_REFERENCE in the workbook rendering).
//
// One rule moves every coordinate, a single cell's and each end of a range:
//  - nCount lines inserted at nAt (they become lines nAt .. nAt + nCount - 1):
//    a coordinate at or after nAt grows by nCount, one before it stays;
//  - lines nAt .. nAt + nCount - 1 deleted: a coordinate after them shrinks by
//    nCount; a single cell on them becomes invalid; a range keeps the lines
//    that survive (an end on a deleted line moves to the nearest surviving
//    line inside the range), and a range that loses all its lines becomes
//    invalid;
//  - one line moved from nFrom to nTo (its index once the move is done): a
//    reference to it follows it, the lines in between close up; a range
//    keeps its lines as after deleting line nFrom and takes the line in when
//    it arrives inside, as after inserting it at nTo (a range of that one line
//    follows it).
// No coordinate ever lands on a neighbouring line or below 0; one that would
// pass the largest index a stored form holds makes the reference invalid.
// Parts written "_" keep their marker: the formula's own cell moves by the
// same rule, so they still name its row or column.
#pragma once

#include "base/WinTypes.h"
#include "cellcontent/formula/FormulaToken.h"

#include <cstddef>
#include <vector>

enum FormulaAxis { FORMULA_AXIS_ROWS = 0, FORMULA_AXIS_COLUMNS = 1 };

// TRUE for a cell or range operand that names a row or column below 0;
// FALSE for any other operand.
BOOL IsInvalidFormulaReference(const CFormulaOperandObject& operand);

// Makes a cell or range operand invalid: every coordinate -1, no markers.
void MakeFormulaReferenceInvalid(CFormulaOperandObject& operand);

// Moves the references of the list for nCount (> 0) lines inserted at nAt or
// deleted from nAt (>= 0); TRUE when any reference changed. *pbLostLines,
// when given, is set when a deletion made a reference invalid or a range
// smaller (the formula's value may change), and left alone otherwise.
BOOL ShiftFormulaReferences(CFormulaTokenList& list, FormulaAxis axis, LONG nAt, LONG nCount, BOOL bInsert,
                            BOOL* pbLostLines = nullptr);

// Moves the references of the list for one line moved from nFrom to nTo
// (both >= 0); TRUE when any reference changed.
BOOL MoveFormulaReferences(CFormulaTokenList& list, FormulaAxis axis, LONG nFrom, LONG nTo);

// A reordering of the lines nFirst .. nFirst + n - 1 among themselves (rows
// sorted): the line at nFirst + i goes to nFirst + newPos[i], newPos holding
// each of 0 .. n - 1 once. A reference to a reordered line follows it, and so
// does a range whose lines stay together: one of those lines only, one that
// holds all of them, or one whose lines inside the reordered ones land side
// by side and still meet its lines outside them. A range whose lines are
// scattered by the reordering has no one place to go and keeps its ends.
// Built once per reordering; Apply then answers each list in constant time
// per reference.
class CFormulaLineOrder {
public:
    // An empty order (moves nothing) when newPos is not such a list.
    CFormulaLineOrder(LONG nFirst, const std::vector<int>& newPos);

    // Moves the references of the list along the axis; TRUE when any
    // changed. *pbKeptPlace, when given, is set when a range kept its ends
    // because its lines were scattered (its value may change).
    BOOL Apply(CFormulaTokenList& list, FormulaAxis axis, BOOL* pbKeptPlace = nullptr) const;

    BOOL IsEmpty() const { return m_newPos.empty(); }

private:
    // Lowest and highest new position of the lines first .. last (offsets
    // into the reordered lines, first <= last).
    void Span(std::size_t first, std::size_t last, int& nLow, int& nHigh) const;

    long long m_nFirst = 0;
    std::vector<int> m_newPos;
    // Two segment trees over newPos (leaves at n .. 2n - 1): the lowest and
    // the highest new position of each node's lines.
    std::vector<int> m_low;
    std::vector<int> m_high;
};
