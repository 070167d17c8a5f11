#pragma once

// Why a file was not written: the answer of the writers of config.ini and of the companion's
// picture, so that the user can be told what was not stored and why.

namespace quadrello {

enum class WriteRefusal {
    None,           // written
    NoFileName,     // the path names no file in a folder (empty, or ending in a separator)
    ForeignLink,    // a symbolic link that another user controls (see ResolveWriteTarget)
    BrokenLink,     // a link that leads nowhere or loops
    NotAFile,       // a folder, a pipe, a device or a socket
    Unreadable,     // a file that cannot be read whole, so rewriting it would lose what it holds
    NotPermitted,   // a file this process may not write
    AccessNotKept,  // its owner, group, rights, extended attributes or flags could not be kept
    Unstorable,     // an entry that cannot be stored as one line
    NoFolder,       // the user's configuration folder is unknown
    System,         // the system refused a step; `error` holds its errno value
};

struct WriteOutcome {
    WriteRefusal refusal = WriteRefusal::None;
    int error = 0;

    bool Written() const { return refusal == WriteRefusal::None; }
};

}  // namespace quadrello
