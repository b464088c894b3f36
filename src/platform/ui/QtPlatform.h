#pragma once
// The application's side of the platform layer: real message boxes, dialogs
// shown modally, help pages in a window of their own, the colour chooser, the
// desktop's clipboard.
#include "platform/ColorDialog.h"
#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/Messages.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

class QWidget;

class QtMessageBoxHandler : public MessageHandler {
public:
    int Show(const QString& text, UINT style, const QString& detail) override;
};

class QtDialogSite;

class QtDialogRunner : public DialogRunner {
public:
    ~QtDialogRunner() override;
    int RunModal(CDialog& dialog) override;
    // Modeless windows belong to the main window and do not block it.
    bool CreateModeless(CDialog& dialog) override;
    void DestroyModeless(CDialog& dialog) override;

private:
    std::map<CDialog*, std::unique_ptr<QtDialogSite>> m_modeless;
};

class QtHelpViewer : public HelpViewer {
public:
    ~QtHelpViewer() override;
    void ShowPage(const QString& resourcePath) override;

private:
    QPointer<QWidget> m_window;
};

class QtFileDialogRunner : public FileDialogRunner {
public:
    QString Run(const FileDialogRequest& request) override;
    // The filters as Qt matches them: "*.*" means every file, as it does in
    // the program's filters, not only names with a dot.
    static QStringList NameFilters(const QStringList& filters);
};

class QtColorDialogRunner : public ColorDialogRunner {
public:
    std::optional<COLORREF> Run(const ColorDialogRequest& request) override;
};

// Installs the handlers above for the whole program.
void InstallQtPlatform();
