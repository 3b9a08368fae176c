#include "tests/payload/lzh_reference.h"

#include <memory>

namespace tavo::test {
namespace {

constexpr int N = 4096, F = 60, THRESHOLD = 2, NIL = N;
constexpr int N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

const unsigned char p_len[64] = {
    0x03, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x06, 0x06, 0x06, 0x06,
    0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};
const unsigned char p_code[64] = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

struct State {
    unsigned char text_buf[N + F - 1] = {};
    int match_position = 0, match_length = 0;
    int lson[N + 1] = {}, rson[N + 257] = {}, dad[N + 1] = {};
    unsigned freq[T + 1] = {};
    int prnt[T + N_CHAR] = {};
    int son[T] = {};
    unsigned getbuf = 0, getlen = 0, putbuf = 0, putlen = 0;

    const std::string* in = nullptr;
    std::size_t inPos = 0;
    std::string out;

    int getc() { return inPos < in->size() ? static_cast<unsigned char>((*in)[inPos++]) : -1; }
    void putc(int c) { out += static_cast<char>(c); }

    void InitTree() {
        for (int i = N + 1; i <= N + 256; i++) rson[i] = NIL;
        for (int i = 0; i < N; i++) dad[i] = NIL;
    }
    void InsertNode(int r) {
        int i, p, cmp;
        unsigned char* key;
        unsigned c;
        cmp = 1;
        key = &text_buf[r];
        p = N + 1 + key[0];
        rson[r] = lson[r] = NIL;
        match_length = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] != NIL)
                    p = rson[p];
                else {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
            } else {
                if (lson[p] != NIL)
                    p = lson[p];
                else {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
            }
            for (i = 1; i < F; i++)
                if ((cmp = key[i] - text_buf[p + i]) != 0) break;
            if (i > THRESHOLD) {
                if (i > match_length) {
                    match_position = ((r - p) & (N - 1)) - 1;
                    if ((match_length = i) >= F) break;
                }
                if (i == match_length) {
                    if ((c = ((r - p) & (N - 1)) - 1) < (unsigned)match_position) {
                        match_position = c;
                    }
                }
            }
        }
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p)
            rson[dad[p]] = r;
        else
            lson[dad[p]] = r;
        dad[p] = NIL;
    }
    void DeleteNode(int p) {
        int q;
        if (dad[p] == NIL) return;
        if (rson[p] == NIL)
            q = lson[p];
        else if (lson[p] == NIL)
            q = rson[p];
        else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p)
            rson[dad[p]] = q;
        else
            lson[dad[p]] = q;
        dad[p] = NIL;
    }

    int GetBit() {
        int i;
        while (getlen <= 8) {
            if ((i = getc()) < 0) i = 0;
            getbuf |= i << (8 - getlen);
            getlen += 8;
        }
        i = getbuf;
        getbuf = (getbuf << 1) & 0xFFFF;
        getlen--;
        return (i & 0x8000) ? 1 : 0;
    }
    int GetByte() {
        unsigned i;
        while (getlen <= 8) {
            int c = getc();
            if (c < 0) c = 0;
            getbuf |= c << (8 - getlen);
            getlen += 8;
        }
        i = getbuf;
        getbuf = (getbuf << 8) & 0xFFFF;
        getlen -= 8;
        return (i & 0xFF00) >> 8;
    }
    void Putcode(int l, unsigned c) {
        putbuf |= c >> putlen;
        putbuf &= 0xFFFF;
        if ((putlen += l) >= 8) {
            putc(putbuf >> 8);
            if ((putlen -= 8) >= 8) {
                putc(putbuf & 0xFF);
                putlen -= 8;
                putbuf = (c << (l - putlen)) & 0xFFFF;
            } else {
                putbuf = (putbuf << 8) & 0xFFFF;
            }
        }
    }

    void StartHuff() {
        int i, j;
        for (i = 0; i < N_CHAR; i++) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        i = 0;
        j = N_CHAR;
        while (j <= R) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
            i += 2;
            j++;
        }
        freq[T] = 0xffff;
        prnt[R] = 0;
    }
    void reconst() {
        int i, j, k;
        unsigned f, l;
        j = 0;
        for (i = 0; i < T; i++) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                j++;
            }
        }
        for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
            k = i + 1;
            f = freq[j] = freq[i] + freq[k];
            for (k = j - 1; f < freq[k]; k--)
                ;
            k++;
            for (l = j; l > (unsigned)k; l--) {
                freq[l] = freq[l - 1];
                son[l] = son[l - 1];
            }
            freq[k] = f;
            son[k] = i;
        }
        for (i = 0; i < T; i++) {
            if ((k = son[i]) >= T)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }
    void update(int c) {
        int i, j, l;
        unsigned k;
        if (freq[R] == MAX_FREQ) reconst();
        c = prnt[c + T];
        do {
            k = ++freq[c];
            if (k > freq[l = c + 1]) {
                while (k > freq[++l])
                    ;
                l--;
                freq[c] = freq[l];
                freq[l] = k;
                i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }
    void EncodeChar(unsigned c) {
        unsigned i = 0;
        int j = 0, k = prnt[c + T];
        do {
            i >>= 1;
            if (k & 1) i += 0x8000;
            j++;
        } while ((k = prnt[k]) != R);
        Putcode(j, i);
        update(c);
    }
    void EncodePosition(unsigned c) {
        unsigned i = c >> 6;
        Putcode(p_len[i], (unsigned)p_code[i] << 8);
        Putcode(6, (c & 0x3f) << 10);
    }
    int DecodeChar() {
        unsigned c = son[R];
        while (c < T) c = son[c + GetBit()];
        c -= T;
        update(c);
        return c;
    }
    int DecodePosition(const unsigned char* d_code, const unsigned char* d_len) {
        unsigned i, j, c;
        i = GetByte();
        c = (unsigned)d_code[i] << 6;
        j = d_len[i];
        j -= 2;
        while (j--) i = (i << 1) + GetBit();
        return c | (i & 0x3f);
    }
};

}  // namespace

std::string ReferenceEncode(const std::string& data) {
    auto st = std::make_unique<State>();
    State& s = *st;
    s.in = &data;
    int i, c, len, r, p, last_match_length;
    s.StartHuff();
    s.InitTree();
    p = 0;
    r = N - F;
    for (i = p; i < r; i++) s.text_buf[i] = ' ';
    for (len = 0; len < F && (c = s.getc()) != -1; len++) s.text_buf[r + len] = c;
    for (i = 1; i <= F; i++) s.InsertNode(r - i);
    s.InsertNode(r);
    do {
        if (s.match_length > len) s.match_length = len;
        if (s.match_length <= THRESHOLD) {
            s.match_length = 1;
            s.EncodeChar(s.text_buf[r]);
        } else {
            s.EncodeChar(255 - THRESHOLD + s.match_length);
            s.EncodePosition(s.match_position);
        }
        last_match_length = s.match_length;
        for (i = 0; i < last_match_length && (c = s.getc()) != -1; i++) {
            s.DeleteNode(p);
            s.text_buf[p] = c;
            if (p < F - 1) s.text_buf[p + N] = c;
            p = (p + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            s.InsertNode(r);
        }
        while (i++ < last_match_length) {
            s.DeleteNode(p);
            p = (p + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) s.InsertNode(r);
        }
    } while (len > 0);
    if (s.putlen) s.putc(s.putbuf >> 8);
    return s.out;
}

ReferenceDecoded ReferenceDecode(const std::string& stream, std::size_t count) {
    unsigned char d_code[256], d_len[256];
    for (int v = 0; v < 64; ++v) {
        const int span = 1 << (8 - p_len[v]);
        for (int k = 0; k < span; ++k) {
            d_code[p_code[v] + k] = static_cast<unsigned char>(v);
            d_len[p_code[v] + k] = p_len[v];
        }
    }
    auto st = std::make_unique<State>();
    State& s = *st;
    s.in = &stream;
    int i, j, k, r, c;
    std::size_t done;
    s.StartHuff();
    for (i = 0; i < N - F; i++) s.text_buf[i] = ' ';
    r = N - F;
    for (done = 0; done < count;) {
        c = s.DecodeChar();
        if (c < 256) {
            s.putc(c);
            s.text_buf[r++] = c;
            r &= (N - 1);
            done++;
        } else {
            i = (r - s.DecodePosition(d_code, d_len) - 1) & (N - 1);
            j = c - 255 + THRESHOLD;
            for (k = 0; k < j && done < count; k++) {
                c = s.text_buf[(i + k) & (N - 1)];
                s.putc(c);
                s.text_buf[r++] = c;
                r &= (N - 1);
                done++;
            }
        }
    }
    return {s.out, s.inPos};
}

}  // namespace tavo::test
