#pragma once
// The drag service on Qt's drag and drop: the desktop's drag, which may end
// in a window of this program or of another running copy.
#include "platform/DragDrop.h"

class QtDragDrop : public DragService {
public:
    DWORD DoDragDrop(ViewHost* source, const DataBlocks& blocks, DWORD allowedEffects) override;
};
