# rpReport1 prepared into pages by the band engine.
lk63_test(questionnaire_pages_tests questionnaire
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_pages_test.cpp
  LIBS lk63_questionnaire_report)
target_compile_definitions(questionnaire_pages_tests
  PRIVATE LK63_PAGES_DATA_DIR="${CMAKE_CURRENT_LIST_DIR}/data")
