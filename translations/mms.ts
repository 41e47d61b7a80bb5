<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name></name>
    <message id="qtn_mms_settings_divider_mms">
        <source>Multimedia message</source>
        <translation>Multimedia message</translation>
    </message>
</context>
</TS>
