# Memo text layout, prepared pages store and band engine.
lk63_test(report_layout_tests report
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/draw_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memo_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/prepared_pages_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_test.cpp
  LIBS lk63_report)
