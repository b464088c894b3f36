#include "platform/Document.h"

#include "platform/View.h"

#include <algorithm>

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* view : m_views) view->SetDocument(nullptr);
}

void CDocument::SetPathName(const QString& path, bool)
{
    m_strPathName = path;
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    SetTitle(cut < 0 ? path : path.mid(cut + 1));
}

void CDocument::AddView(CView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) return;
    m_views.push_back(view);
    view->SetDocument(this);
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end()) return;
    m_views.erase(it);
    view->SetDocument(nullptr);
}

void CDocument::UpdateAllViews(CView* sender, std::intptr_t hint, CObject* hintObject)
{
    // A copy: an update may close a view.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender) view->OnUpdate(sender, hint, hintObject);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    m_bModified = false;
    return true;
}

bool CDocument::OnOpenDocument(const QString&) { return false; }
bool CDocument::OnSaveDocument(const QString&) { return false; }
void CDocument::OnCloseDocument() { DeleteContents(); }
void CDocument::DeleteContents() {}
void CDocument::Serialize(CArchive&) {}
