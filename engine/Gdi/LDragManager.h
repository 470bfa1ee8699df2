// Keeps the drop targets, in order of registration, and tells each of them where the
// dragged object is and when it is let go. A target may register, unregister or be
// deleted from inside a notice: one that leaves is not told again in a pass in progress,
// one that joins first hears the next pass.
#pragma once
#include "object/LBase.h"

class LDraggable;
class LIDragTarget;
class LVector;

class LDragManager : public LBase
{
public:
    // The manager, made on first use and deleted by the cleaner at exit.
    static LDragManager* Get();
    // The manager if it exists; never makes one.
    static LDragManager* Peek();

    LDragManager();
    LDragManager(const LDragManager&) = delete;
    LDragManager& operator=(const LDragManager&) = delete;
    ~LDragManager() override;

    LString Dump() const override;

    // A target already registered keeps its place (1).
    int AddTarget(LIDragTarget* aTarget);
    // 0 when the target was not registered.
    int RemoveTarget(LIDragTarget* aTarget);
    int GetTargetCount() const;
    // Every target tests the draggable's last mouse position against its area.
    int UpdateTargets(LDraggable* aDraggable);
    // Every target the draggable is inside hears the drop.
    int DropTargets(LDraggable* aDraggable);

private:
    struct Pass;

    enum Kind { kUpdate, kDrop };
    int Notify(Kind aKind, LDraggable* aDraggable);

    LVector* mTargets = nullptr;
    // The passes in progress, innermost first, so removal can reach their copies.
    Pass* mPasses = nullptr;
};
