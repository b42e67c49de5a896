// Growable arrays in the shape the rest of the system uses: CStringArray,
// CUIntArray, CDWordArray, CWordArray, CByteArray and CPtrArray.
//
// Indices are int. An index outside [0, GetSize()) never causes undefined
// behaviour: GetAt and operator[] on a const array return a default value
// (0, NULL or the empty string), SetAt/RemoveAt/InsertAt with a bad index are
// ignored (InsertAt at GetSize() appends). ElementAt and the non-const
// operator[] return a reference; for a bad index that reference is to a scratch
// element that is reset on every such call, so writes through it are lost.
// Negative sizes and counts are treated as 0.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

template <class T>
class CKivoArray {
public:
    CKivoArray() = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    // Resizes to nNewSize elements; new ones are default values. nGrowBy is accepted and unused.
    void SetSize(int nNewSize, int nGrowBy = -1)
    {
        (void)nGrowBy;
        m_items.resize(nNewSize > 0 ? static_cast<size_t>(nNewSize) : 0);
    }

    T GetAt(int nIndex) const { return IsValid(nIndex) ? m_items[static_cast<size_t>(nIndex)] : T(); }
    void SetAt(int nIndex, const T& value)
    {
        if (IsValid(nIndex))
            m_items[static_cast<size_t>(nIndex)] = value;
    }
    // Sets the element, growing the array first when nIndex is past the end (negative: ignored).
    void SetAtGrow(int nIndex, const T& value)
    {
        if (nIndex < 0)
            return;
        if (nIndex >= GetSize())
            m_items.resize(static_cast<size_t>(nIndex) + 1);
        m_items[static_cast<size_t>(nIndex)] = value;
    }
    T& ElementAt(int nIndex)
    {
        if (IsValid(nIndex))
            return m_items[static_cast<size_t>(nIndex)];
        m_scratch = T();
        return m_scratch;
    }
    T operator[](int nIndex) const { return GetAt(nIndex); }
    T& operator[](int nIndex) { return ElementAt(nIndex); }

    const T* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    T* GetData() { return m_items.empty() ? nullptr : m_items.data(); }

    // Appends one element; returns its index.
    int Add(const T& value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    // Appends every element of src (src may be this array); returns the index of the first appended one.
    int Append(const CKivoArray& src)
    {
        int first = GetSize();
        std::vector<T> copy(src.m_items);
        m_items.insert(m_items.end(), copy.begin(), copy.end());
        return first;
    }
    // Replaces the content with a copy of src.
    void Copy(const CKivoArray& src)
    {
        if (&src != this)
            m_items = src.m_items;
    }
    // Inserts nCount copies of value before nIndex (0..GetSize(); otherwise ignored).
    void InsertAt(int nIndex, const T& value, int nCount = 1)
    {
        if (nIndex < 0 || nIndex > GetSize() || nCount <= 0)
            return;
        T copy(value);
        m_items.insert(m_items.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    // Inserts all of src before nStartIndex (0..GetSize(); otherwise ignored).
    void InsertAt(int nStartIndex, const CKivoArray& src)
    {
        if (nStartIndex < 0 || nStartIndex > GetSize())
            return;
        std::vector<T> copy(src.m_items);
        m_items.insert(m_items.begin() + nStartIndex, copy.begin(), copy.end());
    }
    // Removes nCount elements from nIndex; the count is clamped to the end; a bad index is ignored.
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (!IsValid(nIndex) || nCount <= 0)
            return;
        int last = nCount > GetSize() - nIndex ? GetSize() : nIndex + nCount;
        m_items.erase(m_items.begin() + nIndex, m_items.begin() + last);
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    typename std::vector<T>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_items.end(); }
    typename std::vector<T>::iterator begin() { return m_items.begin(); }
    typename std::vector<T>::iterator end() { return m_items.end(); }

private:
    bool IsValid(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }

    std::vector<T> m_items;
    T m_scratch{};
};

typedef CKivoArray<CString> CStringArray;
typedef CKivoArray<UINT> CUIntArray;
typedef CKivoArray<DWORD> CDWordArray;
typedef CKivoArray<WORD> CWordArray;
typedef CKivoArray<BYTE> CByteArray;
typedef CKivoArray<void*> CPtrArray;
