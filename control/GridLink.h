// CGridLink: a grid engine as long as its owner lives. The owner (the
// control) keeps a shared token and lets it go before the grid goes; the
// automation objects it hands out keep the token weakly through a link, so
// an object kept after its control has gone finds no grid instead of a freed
// one.
#pragma once

#include <memory>

class CGridCtrl;

class CGridLink {
public:
    CGridLink() = default;
    CGridLink(CGridCtrl* grid, const std::shared_ptr<const void>& ownerToken) : m_grid(grid), m_owner(ownerToken) {}

    // The grid, or NULL when none was given or its owner is gone.
    CGridCtrl* Get() const { return m_grid != nullptr && !m_owner.expired() ? m_grid : nullptr; }

private:
    CGridCtrl* m_grid = nullptr;
    std::weak_ptr<const void> m_owner;
};
