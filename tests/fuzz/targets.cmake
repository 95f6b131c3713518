# The fuzz targets, in one place: for each name, its sources (beside this
# file) and the library it exercises. tests/fuzz builds them for libFuzzer;
# tests/ builds each with a replay main that runs its stored corpus.
set(LUMO_FUZZ_TARGETS numeric_entry name_entry defaults_file session cli_values report_reader
    lines_file number_text)
set(LUMO_FUZZ_numeric_entry_SOURCES fuzz_numeric_entry.cpp)
set(LUMO_FUZZ_numeric_entry_LIBRARY lumo_textio)
set(LUMO_FUZZ_name_entry_SOURCES fuzz_name_entry.cpp)
set(LUMO_FUZZ_name_entry_LIBRARY lumo_input)
set(LUMO_FUZZ_defaults_file_SOURCES fuzz_defaults_file.cpp fuzz_session_support.cpp)
set(LUMO_FUZZ_defaults_file_LIBRARY lumo_driver)
set(LUMO_FUZZ_session_SOURCES fuzz_session.cpp fuzz_session_support.cpp)
set(LUMO_FUZZ_session_LIBRARY lumo_driver)
set(LUMO_FUZZ_cli_values_SOURCES fuzz_cli_values.cpp)
set(LUMO_FUZZ_cli_values_LIBRARY lumo_cli_values)
set(LUMO_FUZZ_report_reader_SOURCES fuzz_report_reader.cpp)
set(LUMO_FUZZ_report_reader_LIBRARY lumo_reports lumo_plot)
set(LUMO_FUZZ_lines_file_SOURCES fuzz_lines_file.cpp)
set(LUMO_FUZZ_lines_file_LIBRARY lumo_cli_values)
set(LUMO_FUZZ_number_text_SOURCES fuzz_number_text.cpp)
set(LUMO_FUZZ_number_text_LIBRARY lumo_numbers)
