<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name></name>
    <message id="qtn_comm_attachment_lost">
        <source>Attachment is no longer available</source>
        <translation>Attachment is no longer available</translation>
    </message>
    <message id="qtn_comm_bytes" numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="qtn_comm_command_delete_dialog">
        <source>Delete?</source>
        <translation>Delete?</translation>
    </message>
    <message id="qtn_comm_command_done">
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message id="qtn_comm_content_save_as">
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message id="qtn_comm_delete">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="qtn_comm_forward">
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message id="qtn_comm_kilobytes">
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message id="qtn_comm_megabytes">
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message id="qtn_comm_next">
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message id="qtn_comm_reply_all">
        <source>Reply to all</source>
        <translation>Reply to all</translation>
    </message>
    <message id="qtn_comm_send">
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message id="qtn_comm_send_restore">
        <source>Cannot send while a backup or restore is running</source>
        <translation>Cannot send while a backup or restore is running</translation>
    </message>
    <message id="qtn_comm_subject_tooltip">
        <source>Subject</source>
        <translation>Subject</translation>
    </message>
    <message id="qtn_mms_allow_deleted_receipt">
        <source>Read report</source>
        <translation>Read report</translation>
    </message>
    <message id="qtn_mms_allow_deleted_receipt_single">
        <source>The sender of the deleted message asks for a read report. Send it?</source>
        <translation>The sender of the deleted message asks for a read report. Send it?</translation>
    </message>
    <message id="qtn_mms_allow_read_receipt">
        <source>The sender asks for a read report. Send it?</source>
        <translation>The sender asks for a read report. Send it?</translation>
    </message>
    <message id="qtn_mms_allow_read_receipt_multiple">
        <source>The senders of the deleted messages ask for read reports. Send them?</source>
        <translation>The senders of the deleted messages ask for read reports. Send them?</translation>
    </message>
    <message id="qtn_mms_always_send">
        <source>Always send</source>
        <translation>Always send</translation>
    </message>
    <message id="qtn_mms_compressing_video_file">
        <source>Compressing video clip</source>
        <translation>Compressing video clip</translation>
    </message>
    <message id="qtn_mms_conv_download_fail">
        <source>Download failed. Tap to retry</source>
        <translation>Download failed. Tap to retry</translation>
    </message>
    <message id="qtn_mms_conv_download_stopped">
        <source>Download stopped. Tap to continue</source>
        <translation>Download stopped. Tap to continue</translation>
    </message>
    <message id="qtn_mms_convert_to_text_msg">
        <source>Convert to text message</source>
        <translation>Convert to text message</translation>
    </message>
    <message id="qtn_mms_default_mms">
        <source>Multimedia message</source>
        <translation>Multimedia message</translation>
    </message>
    <message id="qtn_mms_deleted_wihout_reading">
        <source>Deleted without reading</source>
        <translation>Deleted without reading</translation>
    </message>
    <message id="qtn_mms_delivery_report">
        <source>Request delivery report</source>
        <translation>Request delivery report</translation>
    </message>
    <message id="qtn_mms_delivery_reports_delivered">
        <source>Delivered</source>
        <translation>Delivered</translation>
    </message>
    <message id="qtn_mms_delivery_reports_failed">
        <source>Delivery failed</source>
        <translation>Delivery failed</translation>
    </message>
    <message id="qtn_mms_delivery_reports_pending">
        <source>Delivery pending</source>
        <translation>Delivery pending</translation>
    </message>
    <message id="qtn_mms_dialogtitle_user_defined">
        <source>User-defined</source>
        <translation>User-defined</translation>
    </message>
    <message id="qtn_mms_do_not_send">
        <source>Do not send</source>
        <translation>Do not send</translation>
    </message>
    <message id="qtn_mms_download_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="qtn_mms_download_failed">
        <source>Retrieving the message failed</source>
        <translation>Retrieving the message failed</translation>
    </message>
    <message id="qtn_mms_download_reload">
        <source>Retrieve again</source>
        <translation>Retrieve again</translation>
    </message>
    <message id="qtn_mms_download_start">
        <source>Tap to download</source>
        <translation>Tap to download</translation>
    </message>
    <message id="qtn_mms_download_stopped">
        <source>Retrieval stopped</source>
        <translation>Retrieval stopped</translation>
    </message>
    <message id="qtn_mms_downloading">
        <source>Retrieving message</source>
        <translation>Retrieving message</translation>
    </message>
    <message id="qtn_mms_editor_size_meter">
        <source>%1 kB of %2 kB</source>
        <translation>%1 kB of %2 kB</translation>
    </message>
    <message id="qtn_mms_encoding_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="qtn_mms_error_message_empty">
        <source>The message is empty. Send it anyway?</source>
        <translation>The message is empty. Send it anyway?</translation>
    </message>
    <message id="qtn_mms_error_message_empty_title">
        <source>Empty message</source>
        <translation>Empty message</translation>
    </message>
    <message id="qtn_mms_error_missing_mmsc">
        <source>The MMS connection settings are incomplete. Edit them now?</source>
        <translation>The MMS connection settings are incomplete. Edit them now?</translation>
    </message>
    <message id="qtn_mms_error_sending_failed_title">
        <source>Sending failed</source>
        <translation>Sending failed</translation>
    </message>
    <message id="qtn_mms_general_type_here">
        <source>Type here</source>
        <translation>Type here</translation>
    </message>
    <message id="qtn_mms_gprs_warning_text">
        <source>A packet data connection is open. Disconnect it?</source>
        <translation>A packet data connection is open. Disconnect it?</translation>
    </message>
    <message id="qtn_mms_gprs_warning_title">
        <source>Packet data connection</source>
        <translation>Packet data connection</translation>
    </message>
    <message id="qtn_mms_info_attachments_saved" numerus="yes">
        <source>%n attachments saved</source>
        <translation>
            <numerusform>%n attachment saved</numerusform>
            <numerusform>%n attachments saved</numerusform>
        </translation>
    </message>
    <message id="qtn_mms_info_attch_nsupp">
        <source>Attachment not supported</source>
        <translation>Attachment not supported</translation>
    </message>
    <message id="qtn_mms_info_converting_to_sms">
        <source>Subject and attachments will be removed.</source>
        <translation>Subject and attachments will be removed.</translation>
    </message>
    <message id="qtn_mms_info_converting_to_sms_title">
        <source>Convert to text message?</source>
        <translation>Convert to text message?</translation>
    </message>
    <message id="qtn_mms_info_file_not_supported">
        <source>File format not supported</source>
        <translation>File format not supported</translation>
    </message>
    <message id="qtn_mms_info_image_sound_video">
        <source>No more pictures, sound or video clips can be added</source>
        <translation>No more pictures, sound or video clips can be added</translation>
    </message>
    <message id="qtn_mms_info_memory_low_download">
        <source>Not enough memory to retrieve the message</source>
        <translation>Not enough memory to retrieve the message</translation>
    </message>
    <message id="qtn_mms_info_memory_low_send">
        <source>Not enough memory to send the message</source>
        <translation>Not enough memory to send the message</translation>
    </message>
    <message id="qtn_mms_info_resize_filed">
        <source>Message too large. Remove some content.</source>
        <translation>Message too large. Remove some content.</translation>
    </message>
    <message id="qtn_mms_info_sound_video">
        <source>Sound or video clip cannot be added to a message with pictures</source>
        <translation>Sound or video clip cannot be added to a message with pictures</translation>
    </message>
    <message id="qtn_mms_mmsc_center">
        <source>Message centre</source>
        <translation>Message centre</translation>
    </message>
    <message id="qtn_mms_mmsc_center_tooltip">
        <source>http://</source>
        <translation>http://</translation>
    </message>
    <message id="qtn_mms_mmsc_port">
        <source>Message centre port</source>
        <translation>Message centre port</translation>
    </message>
    <message id="qtn_mms_msg_download">
        <source>Message retrieval</source>
        <translation>Message retrieval</translation>
    </message>
    <message id="qtn_mms_msg_size">
        <source>Maximum message size</source>
        <translation>Maximum message size</translation>
    </message>
    <message id="qtn_mms_msg_validity">
        <source>Message validity</source>
        <translation>Message validity</translation>
    </message>
    <message id="qtn_mms_prompt">
        <source>Ask every time</source>
        <translation>Ask every time</translation>
    </message>
    <message id="qtn_mms_proxy_port_setting">
        <source>Connection settings</source>
        <translation>Connection settings</translation>
    </message>
    <message id="qtn_mms_query_continue">
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
    <message id="qtn_mms_read_report">
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message id="qtn_mms_read_report_switch">
        <source>Request read report</source>
        <translation>Request read report</translation>
    </message>
    <message id="qtn_mms_reply_by_mms">
        <source>Reply by multimedia message</source>
        <translation>Reply by multimedia message</translation>
    </message>
    <message id="qtn_mms_save_all_attachments">
        <source>Save all attachments</source>
        <translation>Save all attachments</translation>
    </message>
    <message id="qtn_mms_send_read_reports">
        <source>Send read reports</source>
        <translation>Send read reports</translation>
    </message>
    <message id="qtn_mms_sent_by_you">
        <source>Sent by you</source>
        <translation>Sent by you</translation>
    </message>
    <message id="qtn_mms_settings_apn">
        <source>Access point</source>
        <translation>Access point</translation>
    </message>
    <message id="qtn_mms_settings_auto_home">
        <source>Automatic in home network</source>
        <translation>Automatic in home network</translation>
    </message>
    <message id="qtn_mms_settings_automatic">
        <source>Automatic</source>
        <translation>Automatic</translation>
    </message>
    <message id="qtn_mms_settings_divider_mms">
        <source>Multimedia message</source>
        <translation>Multimedia message</translation>
    </message>
    <message id="qtn_mms_settings_extralarge">
        <source>Extra large (%1 MB)</source>
        <translation>Extra large (%1 MB)</translation>
    </message>
    <message id="qtn_mms_settings_large">
        <source>Large (%1 kB)</source>
        <translation>Large (%1 kB)</translation>
    </message>
    <message id="qtn_mms_settings_manual">
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message id="qtn_mms_settings_medium">
        <source>Medium (%1 kB)</source>
        <translation>Medium (%1 kB)</translation>
    </message>
    <message id="qtn_mms_settings_password">
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message id="qtn_mms_settings_proxy">
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message id="qtn_mms_settings_proxy_port">
        <source>Proxy port</source>
        <translation>Proxy port</translation>
    </message>
    <message id="qtn_mms_settings_small">
        <source>Small (%1 kB)</source>
        <translation>Small (%1 kB)</translation>
    </message>
    <message id="qtn_mms_settings_user_name">
        <source>User name</source>
        <translation>User name</translation>
    </message>
    <message id="qtn_mms_subject">
        <source>Subject:</source>
        <translation>Subject:</translation>
    </message>
    <message id="qtn_mms_too_many_recipients">
        <source>Too many recipients. At most %1 are allowed.</source>
        <translation>Too many recipients. At most %1 are allowed.</translation>
    </message>
    <message id="qtn_mms_validity_day">
        <source>%1 day</source>
        <translation>%1 day</translation>
    </message>
    <message id="qtn_mms_validity_hour">
        <source>%1 hour</source>
        <translation>%1 hour</translation>
    </message>
    <message id="qtn_mms_validity_maximum">
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message id="qtn_mms_validity_week">
        <source>%1 week</source>
        <translation>%1 week</translation>
    </message>
    <message id="qtn_mms_view_title_editor">
        <source>New MMS</source>
        <translation>New MMS</translation>
    </message>
    <message id="qtn_mms_view_title_msg_viewer">
        <source>Multimedia message</source>
        <translation>Multimedia message</translation>
    </message>
    <message id="qtn_mms_viewer_bcc">
        <source>Bcc:</source>
        <translation>Bcc:</translation>
    </message>
    <message id="qtn_mms_viewer_cc">
        <source>Cc:</source>
        <translation>Cc:</translation>
    </message>
    <message id="qtn_mms_viewer_size">
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message id="qtn_mms_viewer_to">
        <source>To:</source>
        <translation>To:</translation>
    </message>
    <message id="qtn_mms_viewmenu_clear">
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message id="qtn_msg_contact_card_label">
        <source>Contact card</source>
        <translation>Contact card</translation>
    </message>
    <message id="qtn_msg_delete_all_messages">
        <source>Delete all messages</source>
        <translation>Delete all messages</translation>
    </message>
    <message id="qtn_msg_error_fixed_dialing_active">
        <source>Fixed dialling in use</source>
        <translation>Fixed dialling in use</translation>
    </message>
    <message id="qtn_msg_general_failed">
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message id="qtn_msg_general_sending">
        <source>Sending</source>
        <translation>Sending</translation>
    </message>
</context>
</TS>
