// Fonts kept for one measuring pass.
#include "grid/GridMeasureFonts.h"

#include "grid/GridCtrl.h"

#include <cstring>

bool CGridMeasureFonts::Key::operator==(const Key& other) const
{
    return std::memcmp(&lf, &other.lf, sizeof(LOGFONT)) == 0;
}

size_t CGridMeasureFonts::KeyHash::operator()(const Key& key) const
{
    // FNV-1a over the description's bytes.
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&key.lf);
    unsigned long long h = 1469598103934665603ULL;
    for (size_t i = 0; i < sizeof(LOGFONT); ++i) {
        h ^= p[i];
        h *= 1099511628211ULL;
    }
    return static_cast<size_t>(h);
}

CGridMeasureFonts::Entry* CGridMeasureFonts::Find(const LOGFONT& lf)
{
    if (m_pLastKey == nullptr || std::memcmp(&m_pLastKey->lf, &lf, sizeof(LOGFONT)) != 0) {
        Key key;
        std::memcpy(&key.lf, &lf, sizeof(LOGFONT));
        auto it = m_fonts.find(key);
        if (it == m_fonts.end()) {
            auto entry = std::make_unique<Entry>();
            entry->bCreated = entry->font.CreateFontIndirect(&lf);
            it = m_fonts.emplace(key, std::move(entry)).first;
        }
        m_pLastKey = &it->first;
        m_pLast = it->second.get();
    }
    return m_pLast->bCreated ? m_pLast : nullptr;
}

CGridMeasurePass::CGridMeasurePass(CGridCtrl* pGrid, CDC* pDC) : m_pGrid(pGrid)
{
    if (m_pGrid == nullptr || pDC == nullptr || m_pGrid->GetMeasureFonts() != nullptr)
        return;
    m_pFonts = std::make_unique<CGridMeasureFonts>(pDC);
    m_pGrid->SetMeasureFonts(m_pFonts.get());
}

CGridMeasurePass::~CGridMeasurePass()
{
    if (m_pFonts != nullptr && m_pGrid->GetMeasureFonts() == m_pFonts.get())
        m_pGrid->SetMeasureFonts(nullptr);
}
