#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>

// Attaches an input stream to its byte source. Concrete input streams
// implement it beside kelSerializationInputStream; callers reach it with
// dynamic_cast and give up when a stream has none.
class kelSerializationInputStreamBinding {
public:
    virtual ~kelSerializationInputStreamBinding() = default;
    // Keeps the source and parses all of it; true when the parsed tree now
    // replaces any earlier one. An empty source releases the tree and the old
    // source (and succeeds), so no tree outlives the load it was made for.
    virtual bool bind(std::shared_ptr<std::istream> source) = 0;
};

// Attaches an output stream to its byte sink. Concrete output streams
// implement it beside kelSerializationOutputStream, and one destroyed while
// bound and not yet flushed must flush itself in its own destructor.
class kelSerializationOutputStreamBinding {
public:
    virtual ~kelSerializationOutputStreamBinding() = default;
    // Stores the sink (empty unbinds) and makes the tree flushable again.
    virtual bool bind(std::shared_ptr<std::ostream> newSink);
    // Writes the whole tree to the sink in the stream's format. A stream
    // without a format of its own has nothing to write and only records it.
    virtual bool flush();

    bool isFlushed() const { return flushed; }

protected:
    // The flush of a concrete format: writes once per binding, and only to a
    // bound sink. False when there is nothing to do or when the tree or the
    // sink failed, so a failed write is never taken for a saved file.
    bool flushTree(const std::function<bool(std::ostream&)>& writeTree);

    std::shared_ptr<std::ostream> sink;
    bool flushed = false;
};
