# Transports: the UsbDriver base, WinUSB and the vendor's kernel driver.
target_sources(vornikbase PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/winusb_binding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/winusb_driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vornik_usb_driver.cpp)
