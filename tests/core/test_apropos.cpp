// The about box's operating-system line and memory figures.
#include "core/apropos/APropos.h"
#include "core/text/separateur.h"

#include <gtest/gtest.h>

using namespace vuv;

TEST(APropos, OperatingSystemLineInItsThreeForms) {
    EXPECT_EQ(GetOSInfo(FamilleSysteme::windows_nt, 5, 1, 2600, "Service Pack 3"), "Windows NT 5.1 (Build 2600: Service Pack 3)");
    EXPECT_EQ(GetOSInfo(FamilleSysteme::windows_95, 4, 10, 0x040A08AE, ""), "Windows 95 4.10 (Build 2222)");
    EXPECT_EQ(GetOSInfo(FamilleSysteme::windows_nt, 6, 1, 7601, ""), "Windows NT 6.1 (Build 7601)");
    EXPECT_EQ(GetOSInfo(FamilleSysteme::autre, 3, 0, 77, "SP"), "Windows 3.0");
    EXPECT_EQ(GetOSInfo(FamilleSysteme::linux_, 6, 1, 0, ""), "Linux 6.1");
    int a = 0, b = 0;
    version_noyau("6.1.0-13-amd64", a, b);
    EXPECT_EQ(a * 100 + b, 601);
    version_noyau("bizarre", a, b);
    EXPECT_EQ(a * 100 + b, 0);
}

TEST(APropos, MemoryFiguresGroupedWithTheSystemSeparator) {
    fixe_separateur_milliers(U'\u00A0');
    EtatMemoire m;
    m.total_physique = 25165824ull * 1024;
    m.charge = 0;
    m.virtuel_total = (std::uint64_t{1} << 47);
    m.pagination_totale = 5ull << 40; // above 2^32 KB
    const auto t = libelles_memoire(m);
    EXPECT_EQ(t[0], "Mémoire totale : 25\u00A0165\u00A0824 KB");
    EXPECT_EQ(t[1], "percent of memory in use  %"); // "#,###" writes nothing for 0
    EXPECT_EQ(t[4], "bytes of paging file     5\u00A0368\u00A0709\u00A0120 KB");
    EXPECT_EQ(t[5], "sizeof(MEMORYSTATUS)     32 octets");
    EXPECT_EQ(t[7], "user bytes of address space  137\u00A0438\u00A0953\u00A0472 KB");
    fixe_separateur_milliers(U' ');
    EXPECT_EQ(diese_groupe(1234567), "1 234 567");
    fixe_separateur_milliers(U'\u00A0');
}

TEST(APropos, LinuxMemoryStatusFromMeminfo) {
    const char* meminfo = "MemTotal:       16000000 kB\nMemFree:  1000 kB\nMemAvailable:    4000000 kB\n"
                          "CommitLimit:    20000000 kB\nCommitted_AS:   25000000 kB\n";
    const EtatMemoire m = etat_memoire_linux(meminfo, 1000, 1ull << 47);
    EXPECT_EQ(m.total_physique, 16000000ull * 1024);
    EXPECT_EQ(m.physique_libre, 4000000ull * 1024);
    EXPECT_EQ(m.charge, 75u);
    EXPECT_EQ(m.pagination_totale, 20000000ull * 1024);
    EXPECT_EQ(m.pagination_libre, 0u); // overcommitted
    EXPECT_EQ(m.virtuel_libre, (1ull << 47) - 1000 * 1024);
    const EtatMemoire vide = etat_memoire_linux("", 0, 0);
    EXPECT_EQ(vide.charge, 0u);
    EXPECT_EQ(etat_memoire_linux("MemTotal: 99999999999999999999999 kB\n", 0, 0).total_physique % 1024, 0u);
}
