#include "chart/chart.h"
int main() {}
