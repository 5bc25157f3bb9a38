# Driver managers: WinUSB class scan and kernel driver device probe.
target_sources(vornikcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/winusb_driver_mgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vornik_usb_driver_mgr.cpp)
