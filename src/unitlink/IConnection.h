#pragma once

/// The connection as the user sees it, for an operation that opens the port itself and closes it when done.
class IConnection {
public:
    virtual ~IConnection() = default;
    /// Opens the port as the connection indicator does; the port stays closed when it cannot be opened.
    virtual void connect() = 0;
    /// Closes the port and ends the connection display.
    virtual void disconnect() = 0;
};
