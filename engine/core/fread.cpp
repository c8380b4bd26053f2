#include "engine/core/fread.h"

#include "engine/core/state.h"

namespace kv {

namespace {

constexpr int kCols = 132;
constexpr int kBuf = 80;
constexpr int kMinus = 11, kPlus = 12, kPoint = 13, kQuote = 14;

// Position of c in "0123456789-+.'" (1..14), 0 for any other character.
int classOf(char c) {
  if (c >= '0' && c <= '9') return c - '0' + 1;
  switch (c) {
    case '-': return kMinus;
    case '+': return kPlus;
    case '.': return kPoint;
    case '\'': return kQuote;
    default: return 0;
  }
}

bool isSeparator(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= ' ' || u > '~';
}

class Scanner {
 public:
  Scanner(std::string_view line, int32_t& nnum, int32_t& ntxt, FreadTexts& txt, FreadNums& num)
      : nnum_(nnum), ntxt_(ntxt), txt_(txt), num_(num) {
    for (int i = 0; i < kCols; ++i) line_[i] = i < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(i)] : ' ';
    nnum_ = 0;
    ntxt_ = 0;
    for (auto& t : txt_) t.blank();
    num_.fill(0.0);
  }

  void run() {
    for (col_ = 0; col_ < kCols; ++col_) {
      look_ = false;
      const char c = line_[col_];
      if (c == '\'') {
        quote_ = !quote_;
      } else if (quote_) {
        append();
      } else if (isSeparator(c)) {
        separator();
      } else {
        classify(col_);
      }
    }
    if (nbuf_ > 0) {
      storeText();
    } else {
      endNumber();
    }
  }

 private:
  char at(int p) const { return p < kCols ? line_[p] : ' '; }

  void append() {
    if (nbuf_ < kBuf) buf_[nbuf_++] = line_[col_];
  }

  void resetPoint() {
    div_ = 1.0f;
    mult_ = 10.0f;
    step_ = 1.0f;
  }

  void classify(int p) {
    const char c = at(p);
    const int cls = classOf(c);
    last_ = cls;
    if (cls == 0) {
      append();
    } else if (cls <= 10) {
      if (look_) {
        storeText();
        return;
      }
      ++ndig_;
      div_ = div_ * step_;
      v_ = mult_ * v_ + static_cast<float>(cls - 1) / div_;
    } else if (cls == kMinus || cls == kPlus) {
      if (look_) {
        // A second sign right after "text, sign": the text ends and the scan goes on with
        // the sign in its own column.
        storeText();
        return;
      }
      if (ndig_ == 0 && nbuf_ == 0) {
        sign_ = cls == kMinus ? -1 : 1;
      } else {
        separator();
      }
    } else if (cls == kPoint) {
      mult_ = 1.0f;
      step_ = 10.0f;
    }
    // kQuote: only reached by the look-ahead; nothing to do.
  }

  void separator() {
    if (nbuf_ == 0) {
      endNumber();
    } else if (last_ == kMinus || last_ == kPlus) {
      pendSign_ = last_ == kMinus ? -1 : 1;
      look_ = true;
      classify(col_ + 1);
    } else {
      storeText();
    }
  }

  void storeText() {
    if (ntxt_ >= 20) return;
    ++ntxt_;
    txt_(ntxt_).set(std::string_view(buf_, static_cast<std::size_t>(nbuf_ < 42 ? nbuf_ : 42)));
    nbuf_ = 0;
    endNumber();
  }

  void endNumber() {
    if (ndig_ == 0) {
      if (look_) sign_ = pendSign_;
      // A point met without digits (one that stood inside a text) does not carry over to
      // the next number; a pending sign does.
      resetPoint();
      return;
    }
    if (nnum_ >= 32) return;
    ++nnum_;
    num_(nnum_) = static_cast<double>(static_cast<float>(sign_) * v_);
    v_ = 0.0f;
    sign_ = last_ == kMinus ? -1 : 1;
    ndig_ = 0;
    resetPoint();
  }

  int32_t& nnum_;
  int32_t& ntxt_;
  FreadTexts& txt_;
  FreadNums& num_;
  char line_[kCols];
  char buf_[kBuf];
  int nbuf_ = 0;
  float v_ = 0.0f;
  int ndig_ = 0;
  int sign_ = 1;
  float div_ = 1.0f, mult_ = 10.0f, step_ = 1.0f;
  bool quote_ = false;
  int last_ = 0;
  int pendSign_ = 1;
  bool look_ = false;
  int col_ = 0;
};

}  // namespace

void FREAD(std::string_view LINE, int32_t& NNUM, int32_t& NTXT, FreadTexts& TXT, FreadNums& NUM) {
  Scanner(LINE, NNUM, NTXT, TXT, NUM).run();
}

void FREAD(EngineState& s, std::string_view LINE) {
  auto& m = s.mainpg;
  m.LINE.set(LINE);
  FREAD(m.LINE.view(), m.NNUM, m.NTXT, m.TXT, m.NUM);
}

}  // namespace kv
