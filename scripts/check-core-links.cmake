# Fails when a binary built on the core alone needs a Qt GUI library.
execute_process(COMMAND readelf -d ${BINARY} OUTPUT_VARIABLE dyn RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "readelf failed on ${BINARY}")
endif()
if(dyn MATCHES "libQt6(Gui|Widgets|PrintSupport)")
    message(FATAL_ERROR "${BINARY} links a Qt GUI library; the core must use QtCore only")
endif()
