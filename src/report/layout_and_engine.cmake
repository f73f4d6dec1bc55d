# Memo text layout, prepared pages store and band engine.
target_sources(lk63_report PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/draw_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memo_layout.cpp)
target_link_libraries(lk63_report PUBLIC lk63_platform_fonts)
target_sources(lk63_report PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/prepared_pages_xml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prepared_pages_dictionary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prepared_pages.cpp)
target_sources(lk63_report PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_prepare.cpp)
