#pragma once

// A conversation for the demo's conversation view: a picture message, a
// received notification and a contact card from a friend, and a sent message
// in every state the bubble shows. Made afresh on every start.
class DemoConversation
{
public:
    // The conversation's id in the history; -1 when it could not be made.
    static int create();
};
