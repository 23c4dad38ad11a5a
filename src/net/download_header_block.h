// Reading a response's header block off the download connection without
// consuming a byte of the body behind it: the bytes are looked at first and
// only the block is taken, so a block that arrives whole costs one look and
// one read instead of a wait and a read per byte.
#pragma once
#include "net/download_response.h"
#include "net/win_socket.h"

namespace quonel {

// Applies every line of the block to headers, up to and including its empty
// line: true then. False when the block ended without it: the peer closed,
// the connection's wait pump gave the wait up, a line grew beyond 16384
// bytes or the block beyond 64 KiB; the lines that came are applied. Raises
// on a Content-Length that is no number. The connection should have a wait
// pump: it is what bounds the waits.
bool ReadDownloadHeaderBlock(TCustomWinSocket& connection, ResponseHeaders& headers);

}  // namespace quonel
