// Drag and drop between windows (OLE's DoDragDrop and RegisterDragDrop).
//
// A drag offers its data as formats with their bytes; a window that accepts
// drops registers a handler, which the platform calls while something is
// dragged over the window, with points in the window's client coordinates
// and the data of the drag behind CDropData.
//
// Windows: our own small data object, drop source and drop target over the
// system's OLE. OLE needs the thread to be initialised for it (containers do
// this; the library never does): without it registration and dragging fail
// quietly. The host build plays a scripted drag instead (Headless.h): each
// step names a window, a point and the key state; the last step drops or the
// drag is cancelled.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "base/WinConstants.h"

#include <utility>
#include <vector>

// Drop effects (the values of OLE's DROPEFFECT_*).
const DWORD kDropEffectNone = 0;
const DWORD kDropEffectCopy = 1;
const DWORD kDropEffectMove = 2;

// The formats a drag offers, in order, each with its bytes.
typedef std::vector<std::pair<UINT, std::vector<BYTE>>> DragFormats;

// The data being dragged, as a drop target reads it.
class CDropData {
public:
    virtual ~CDropData() = default;
    virtual BOOL IsFormatAvailable(UINT nFormat) = 0;
    // The bytes of the format; FALSE, bytes empty, when they cannot be had.
    virtual BOOL GetData(UINT nFormat, std::vector<BYTE>& bytes) = 0;
};

// The data of a drag kept in memory (what a drag offers, or a test's data).
class CMemoryDropData : public CDropData {
public:
    explicit CMemoryDropData(DragFormats formats) : m_formats(std::move(formats)) {}
    BOOL IsFormatAvailable(UINT nFormat) override;
    BOOL GetData(UINT nFormat, std::vector<BYTE>& bytes) override;

private:
    DragFormats m_formats;
};

// What a window that accepts drops answers. Enter and over answer the effect
// a drop there would have (kDropEffectNone: none); drop answers whether it
// took the data.
class CDropTargetHandler {
public:
    virtual ~CDropTargetHandler() = default;
    virtual DWORD OnDragEnter(CDropData* pData, DWORD dwKeyState, CPoint point) = 0;
    virtual DWORD OnDragOver(CDropData* pData, DWORD dwKeyState, CPoint point) = 0;
    virtual void OnDragLeave() = 0;
    virtual BOOL OnDrop(CDropData* pData, DWORD dwDropEffect, CPoint point) = 0;
};

// Makes the window a drop target served by the handler, which must outlive
// the registration. FALSE when the window already has one, has no handle, or
// OLE is not initialised on this thread.
BOOL PlatformRegisterDropTarget(HWND hWnd, CDropTargetHandler* pHandler);
// Ends the window's registration (nothing when it has none).
void PlatformRevokeDropTarget(HWND hWnd);
// Drags the data until it is dropped (the left button released) or cancelled
// (Escape); answers the effect of the drop the target took, kDropEffectNone
// when it was cancelled, refused, or could not start.
DWORD PlatformDoDragDrop(const DragFormats& formats, DWORD dwAllowedEffects);
