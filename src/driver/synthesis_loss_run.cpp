// Synthesis option 1: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and losses at one frequency.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

namespace {

constexpr FormatList kHeader =
    "(/,6X,2X,'SRB   =',F8.3,'u\"',6X,'Dimensional ', 'Synthesis',12X,A3,F7.4,'\"',/,6X, "
    "2X,'SRD   =',F8.3,'u\"',5X,23(1H=),10X,'Er =',F7.3,/,6X, "
    "2X,'DLTAN =',F8.4,14X,'(OPTION ',I1,')',/,6X, "
    "2X,'RESB  =',F8.3,/,6X,2X,'RESD  =',F8.3)";

// Fields: the insertion-loss frequency, the synthesized conductor's title and
// letter.
constexpr FormatList kHeadings =
    "(/,6X, 44X,'Transmission Loss at',/,6X,43X,F7.3,1X,'GHz',1X, '(dB/Foot)',/,"
    "6X,2X,A5,13X,'TE11',5X,'Peak',3X,36(1H-),/,6X, "
    "1X,'Cond.(',A1,')',4X,'Zo',5X,'Cutoff',3X,'Power',3X, "
    "'Conductor',1X,'Losses',3X,'Dielec.',3X,'Total',/,6X, "
    "1X,'(Inches)',2X,'(Ohms)',3X,'(GHz)',4X,'(kW)',5X, "
    "'Inner',4X,'Outer',5X,'Loss',5X,'Loss',/,6X,72(1H-))";

// Diameter, wanted Zo, cut-off, peak power, inner, outer, dielectric and total
// loss.
constexpr FormatList kRow = "(6X,F7.4,F9.2,F9.2,F9.2,F9.4,F9.4,F10.4,F9.4)";

}  // namespace

bool synthesis_loss_run(Session& s) {
  Blk1& k = s.rec.blk1;
  DriverVars& v = s.v;
  Io& io = s.io;
  const bool store = s.rec.blk2.istore == 1;
  const bool outer = s.rec.blk2.isyn == 2;
  const ConductorWords words = conductor_words(outer);
  const float fixed = outer ? k.d : k.b;

  auto header = [&](Sink to) {
    emit(io, to, kHeader,
         {k.srb1, words.fixed_name, fixed, k.srd1, k.er, k.dltan, s.rec.blk2.iop, k.resb1,
          k.resd1});
    emit(io, to, kHeadings, {v.f, words.column, words.letter});
  };
  header(Sink::kConsole);
  if (store) header(Sink::kFile);

  const std::int32_t last = s.rec.blk2.l;
  const Blk4& c = s.rec.blk4;
  Lmlos1& loss = s.rec.lmlos1;
  const float& synthesized = outer ? k.b : k.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.zo = sweep_point(k.zmin, k.zstep, v.il);
    lmsyn(k.b, k.d, k.er, v.zo, s.rec.blk2.isyn, v.isyne);
    if (v.isyne != 0) return false;
    lmloss(k.b, k.d, k.er, c.srb, c.srd, c.resb, c.resd, k.dltan, v.f, loss);
    lmmode(k.b, k.d, k.er, v.temode);
    lmpwr(k.b, k.d, k.er, v.pkpwr);
    report(io, store, kRow,
           {synthesized, v.zo, v.temode, v.pkpwr, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  v.fdata = label("Synthesis");
  return true;
}

}  // namespace lumo
