// The device context a cell is measured on: the caller's when it has one,
// else the grid window's, else (before the window exists) a memory context
// compatible with the screen, so that a sheet filled and measured before it
// is shown gets the same sizes.
#pragma once

#include "grid/GridCtrl.h"
#include "platform/DC.h"

#include <memory>

class CGridMeasureDC {
public:
    CGridMeasureDC(CDC* pDC, CGridCtrl* pGrid)
    {
        if (pDC != nullptr) {
            m_pDC = pDC;
            return;
        }
        if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr) {
            m_pClient = std::make_unique<CClientDC>(pGrid);
            if (m_pClient->GetSafeHdc() != nullptr) {
                m_pDC = m_pClient.get();
                return;
            }
        }
        if (m_memory.CreateCompatibleDC(nullptr))
            m_pDC = &m_memory;
    }
    CGridMeasureDC(const CGridMeasureDC&) = delete;
    CGridMeasureDC& operator=(const CGridMeasureDC&) = delete;

    // NULL when no context could be had.
    CDC* Get() const { return m_pDC; }

private:
    CDC* m_pDC = nullptr;
    std::unique_ptr<CClientDC> m_pClient;
    CDC m_memory;
};
