#pragma once

namespace MessagingUI {

// What the user asked to do with a stored message when an editor opens on it.
// Fixed to int: hosts may hand over values this list does not name.
enum OperationType : int { NoOperation = 0, Forward = 1, Reply = 2, ReplyToAll = 3 };

} // namespace MessagingUI
