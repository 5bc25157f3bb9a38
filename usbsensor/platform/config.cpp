// Build-time configuration of the USB sensor library.
