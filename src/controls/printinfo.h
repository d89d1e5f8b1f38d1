#pragma once

#include <QRect>

// What a print run tells its page-printing steps: the page range, the page
// being printed and whether it is a preview.
struct CPrintInfo {
    int m_nCurPage = 1;
    bool m_bPreview = false;
    QRect m_rectDraw;

    void SetMinPage(int page) { m_nMinPage = page; }
    void SetMaxPage(int page) { m_nMaxPage = page; }
    int GetMinPage() const { return m_nMinPage; }
    int GetMaxPage() const { return m_nMaxPage; }

private:
    int m_nMinPage = 1;
    int m_nMaxPage = 0xFFFF;
};
