#pragma once
// A document: its path, title, modified flag and views, and the hooks of
// creating, opening, saving and closing it.
#include "platform/CmdTarget.h"

#include <QString>

#include <cstdint>
#include <vector>

class CArchive;
class CView;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title) { m_strTitle = title; }
    const QString& GetPathName() const { return m_strPathName; }
    // Sets the path; the title becomes its file name.
    virtual void SetPathName(const QString& path, bool addToRecentFiles = true);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, std::intptr_t hint = 0, CObject* hintObject = nullptr);

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    void Serialize(CArchive& ar) override;

private:
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_views;
};
