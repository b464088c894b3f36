#include "platform/FileDialog.h"

namespace {
FileDialogRunner* g_runner = nullptr;
}

void SetFileDialogRunner(FileDialogRunner* runner) { g_runner = runner; }
FileDialogRunner* GetFileDialogRunner() { return g_runner; }

QString RunFileDialog(const FileDialogRequest& request)
{
    return g_runner != nullptr ? g_runner->Run(request) : QString();
}
