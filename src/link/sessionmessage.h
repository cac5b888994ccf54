#pragma once

// The texts a programming session shows, in the status label or in a message box. The engine
// names them; the host shows them in the user's language.
enum class SessionMessage {
    None,               // the status label holds no text
    Communicating,      // status while a session runs
    ReadSuccess,        // status after a complete read
    WriteSuccess,       // status after a complete write
    BandMismatch,       // the band question, and the status after the answer No
    CommunicationError, // message box of a session that timed out or lost its port
    PortNotOpen,        // message box of a read or write command without an open port
};
