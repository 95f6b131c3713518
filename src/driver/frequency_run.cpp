// Analysis option 1: the line constants of one line and its wavelengths and
// losses over a frequency sweep.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

namespace {

// Entered data and line constants; the conductor data as the user gave them.
constexpr FormatList kHeader =
    "(/,8X, 'B   =',F8.4,'\"',11X,'Frequency Analysis',9X, 'SRB =',F8.3,'u\"',/, "
    "8X,'D   =',F8.4,'\"',10X,20(1H=),8X,'SRD =',F8.3,'u\"',/, "
    "8X,'Er  =',F7.3,17X,'(OPTION ',I1,')',11X,'DLTAN =',F8.5,/, "
    "8X,'Zo  =',F7.2,' Ohms',34X,'RESB =',F8.3,/, "
    "8X,'CAP =',F7.2,' pF/Inch',31X,'RESD =',F8.3,/, "
    "8X,'IND =',F7.2,' nH/Inch')";

constexpr FormatList kHeadings =
    "(/,42X,'Transmission Losses  (dB/Foot)',/,17X, '   Wavelength,Inches ',38(1H-),/,10X, "
    "'Freq.     Free-              Conductor Losses    Dielec.    Total',/,10X, "
    "'(GHz)     Space    \"Guide\"    Inner    Outer      Loss      Loss',/,8X, 68(1H-))";

// Frequency, free-space and in-line wavelength, inner, outer, dielectric and
// total loss.
constexpr FormatList kRow = "(8X,F8.3,F10.3,F10.3,F10.4,F9.4,F11.4,F10.4)";

constexpr FormatList kClosing =
    "(/,9X,'TE11 Mode Cutoff = ',F8.3,' GHz;', 3X,'Peak Power (In Air) = ',F8.2,' kW')";

}  // namespace

void frequency_run(Session& s) {
  Blk1& k = s.rec.blk1;
  DriverVars& v = s.v;
  Io& io = s.io;
  const bool store = s.rec.blk2.istore == 1;

  // The line constants do not depend on frequency: computed once.
  lmzo(k.b, k.d, k.er, v.zo);
  lmcap(k.b, k.d, k.er, v.zo, v.ccap, v.cind);
  lmmode(k.b, k.d, k.er, v.temode);
  lmpwr(k.b, k.d, k.er, v.pkpwr);

  auto header = [&](Sink to) {
    emit(io, to, kHeader,
         {k.b, k.srb1, k.d, k.srd1, k.er, s.rec.blk2.iop, k.dltan, v.zo, k.resb1, v.ccap,
          k.resd1, v.cind});
    emit(io, to, kHeadings);
  };
  header(Sink::kConsole);
  if (store) header(Sink::kFile);

  const std::int32_t last = s.rec.blk2.l;
  const Blk4& c = s.rec.blk4;
  Lmlos1& loss = s.rec.lmlos1;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.f = sweep_point(k.fmin, k.fstep, v.il);
    lmloss(k.b, k.d, k.er, c.srb, c.srd, c.resb, c.resd, k.dltan, v.f, loss);
    report(io, store, kRow,
           {v.f, loss.wl, loss.wg, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  v.fdata = label("Frequency");
  report(io, store, kClosing, {v.temode, v.pkpwr});
}

}  // namespace lumo
