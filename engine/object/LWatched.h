// An object others may keep a pointer to without owning it. Each holder keeps an LWatch
// to it instead of a raw pointer; the watched object's end turns every such watch null,
// so no order of deletion leaves a holder with a dangling pointer.
//
// The watches form an intrusive list: binding and unbinding allocate nothing. A copy of a
// watched object starts with no watches of its own. Main thread only.
#pragma once

class LWatched
{
public:
    // One holder's link to a watched object; LWatch<T> is the typed form used in code.
    class Link
    {
    public:
        Link() = default;
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;
        ~Link() { Unbind(); }

        // Leaves the object it watches, if any, and watches aWatched (null: none).
        void Bind(LWatched* aWatched);
        void Unbind() { Bind(nullptr); }
        LWatched* GetWatched() const { return mWatched; }

    private:
        friend class LWatched;

        LWatched* mWatched = nullptr;
        Link* mPrev = nullptr;
        Link* mNext = nullptr;
    };

    LWatched() = default;
    LWatched(const LWatched&) {}
    LWatched& operator=(const LWatched&) { return *this; }
    // Every watch still on this object turns null.
    ~LWatched();

    // How many watches are on this object (tests and dumps).
    int GetWatchCount() const;

private:
    Link* mFirst = nullptr;
};
