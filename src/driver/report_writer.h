// The report writer: the run consumer that prints the dialogue's report.
// It holds the report's layouts and writes each statement once, to the
// console and, when storing, the same bytes to the output data file. A
// header block goes first to the console whole, then to the file; each row
// and closing line goes to the console and then to the file.
#pragma once

#include <string>
#include <string_view>

#include "driver/run_rows.h"
#include "records/records.h"
#include "textio/io.h"

namespace lumo {

class ReportWriter : public RunConsumer {
 public:
  // `store`: the output data file is (or, by report_header, gets) connected.
  ReportWriter(Io& io, bool store) : io_(io), store_(store) {}

  // The block that opens every report: version, the date and time `t`, the
  // notice and title lines. When storing, connects the output data file
  // named `file_name` (trailing blanks removed) between the console's copy
  // and the file's.
  void report_header(const Blk6& t, std::string_view file_name);
  // The rule that closes a completed report and, when storing, the line
  // naming the run (`label`) and the file (`file_name`, 20 characters).
  void report_trailer(const Text20& label, const Text20& file_name);

  void frequency_header(const FrequencyHeader& h) override;
  void frequency_row(const FrequencyRow& r) override;
  void frequency_end(const FrequencyClosing& c) override;
  void sensitivity_header(const SensitivityHeader& h) override;
  void sensitivity_row(const SensitivityRow& r) override;
  void synthesis_loss_header(const SynthesisLossHeader& h) override;
  void synthesis_loss_row(const SynthesisLossRow& r) override;
  // The two-line message that ends the program, on the console alone.
  void unrealizable(float zo) override;

 private:
  // One statement to the console and, when storing, to the file.
  template <class... Ts>
  void both(const Statement<Ts...>& st, const std::type_identity_t<Values<Ts...>>& values = {});
  // A header block statement: to the console now, to the file at
  // end_block().
  template <class... Ts>
  void block(const Statement<Ts...>& st, const std::type_identity_t<Values<Ts...>>& values = {});
  void end_block();

  struct Held {
    std::string text;
    Stmt where;
  };

  Io& io_;
  bool store_;
  std::string line_;  // a header block statement being written
  Held held_[2];      // a header block's statements, waiting for the file
  int held_count_ = 0;
};

}  // namespace lumo
