<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name></name>
    <message id="qtn_mms_settings_divider_mms">
        <source>Multimedia message</source>
        <translation>Multimedia message</translation>
    </message>
    <message id="qtn_mms_gprs_warning_title">
        <source>Packet data connection</source>
        <translation>Packet data connection</translation>
    </message>
    <message id="qtn_mms_gprs_warning_text">
        <source>A packet data connection is open. Disconnect it?</source>
        <translation>A packet data connection is open. Disconnect it?</translation>
    </message>
</context>
</TS>
