#include "FamilyList.h"

#include "DescriptionPattern.h"

namespace {

struct FamilyText
{
    const char* code;
    const char* description;
    int referenceBase;
    const char* fiscalClass;
    PhotoShape shape;
    const char* patterns;
};

// Description patterns of one family are separated by ';'.
const FamilyText kFamilies[] = {
    {"DJ", "Disjuntores", 21, "8536.20.00", PhotoShape::RailDevice,
     "Disjuntor termomagnético {unipolar|bipolar|tripolar} {10|16|20|25|32|40|50|63} A;"
     "Disjuntor caixa moldada tripolar {100|125|160|250} A"},
    {"DR", "Interruptores diferenciais", 22, "8536.30.00", PhotoShape::RailDevice,
     "Interruptor diferencial residual {bipolar|tetrapolar} {25|40|63} A {30|300} mA"},
    {"DP", "Protetores contra surtos", 23, "8535.40.10", PhotoShape::RailDevice,
     "Protetor contra surtos DPS classe {I|II} {175|275|385} V {20|40} kA"},
    {"TM", "Tomadas e plugues", 32, "8536.69.90", PhotoShape::Socket,
     "Tomada de {sobrepor|embutir} 2P+T {10|20} A {branca|preta|cinza};"
     "Plugue {macho|fêmea} 2P+T {10|20} A;Tomada industrial {3P+T|3P+N+T} {16|32} A IP44"},
    {"IN", "Interruptores", 33, "8536.50.90", PhotoShape::Socket,
     "Interruptor {simples|paralelo|bipolar} 10 A {branco|preto|cinza};"
     "Interruptor {duplo|triplo} simples 10 A {branco|preto}"},
    {"CT", "Contatores", 45, "8536.49.00", PhotoShape::RailDevice,
     "Contator tripolar {9|12|18|25|32|40|65|95} A bobina {24 Vca|110 Vca|220 Vca|380 Vca};"
     "Contator auxiliar {4NA|2NA+2NF|3NA+1NF} bobina 220 Vca"},
    {"RT", "Relés térmicos", 46, "8536.49.00", PhotoShape::RailDevice,
     "Relé térmico de sobrecarga {0,63-1,0|1,0-1,6|1,6-2,5|2,5-4,0|4,0-6,3|5,5-8,0|9-13|17-25} A"},
    {"RP", "Relés de proteção", 47, "8536.49.00", PhotoShape::RailDevice,
     "Relé de proteção;"
     "Relé de proteção contra {falta de fase|sequência de fase|subtensão|sobretensão} {220|380|440} V"},
    {"TE", "Temporizadores", 48, "8536.49.00", PhotoShape::RailDevice,
     "Relé temporizador {na energização|cíclico|estrela-triângulo} {24-240 Vca/Vcc|220 Vca}"},
    {"CH", "Chaves seccionadoras", 51, "8536.50.90", PhotoShape::Enclosure,
     "Chave seccionadora rotativa {tripolar|tetrapolar} {25|40|63|100|125} A;"
     "Chave comutadora {1-0-2|1-2} {25|40} A"},
    {"BT", "Botoeiras e sinaleiros", 52, "8536.50.90", PhotoShape::Lamp,
     "Botão de comando {faceado|saliente|cogumelo} 22 mm {verde|vermelho|amarelo|preto};"
     "Sinaleiro LED 22 mm {verde|vermelho|amarelo|azul|branco} {24|127|220} V"},
    {"PA", "Partidas de motor", 53, "8537.10.20", PhotoShape::Enclosure,
     "Partida direta {0,5|1|2|3|5|7,5|10} cv {220|380} V;"
     "Chave de partida estrela-triângulo {10|15|20|30} cv 380 V"},
    {"IT", "Inversores de frequência", 54, "8504.40.90", PhotoShape::Enclosure,
     "Inversor de frequência {monofásico|trifásico} {0,5|1|2|3|5|7,5} cv {220|380} V"},
    {"TR", "Transformadores", 55, "8504.31.19", PhotoShape::Enclosure,
     "Transformador de comando {100|250|500|1000} VA {220/24|380/220|440/220} V;"
     "Autotransformador monofásico {1|2|3} kVA"},
    {"FU", "Fusíveis e bases", 56, "8536.10.00", PhotoShape::Cylinder,
     "Fusível {NH 00|NH 1|Diazed|cartucho 10x38} {16|25|32|63|100} A;"
     "Base para fusível {NH 00|NH 1|Diazed} {unipolar|tripolar}"},
    {"QD", "Quadros de distribuição", 61, "8537.10.90", PhotoShape::Enclosure,
     "Quadro de distribuição de {embutir|sobrepor} para {6|12|18|24|36} disjuntores;"
     "Centro de distribuição {metálico|em PVC} {12|24} módulos"},
    {"CX", "Caixas de passagem", 62, "3925.90.90", PhotoShape::Enclosure,
     "Caixa de passagem {4x2|4x4} {de embutir|de sobrepor};"
     "Caixa de passagem {100x100x50|150x150x80|200x200x100} mm IP65"},
    {"BA", "Caixas d'água - boias", 63, "8536.50.90", PhotoShape::Cylinder,
     "Boia elétrica de nível {superior|inferior} {15|25} A;Chave-boia com contrapeso {15|25} A;"
     "Controlador de nível {para caixa d'água|para poço} bivolt"},
    {"EL", "Eletrodutos e acessórios", 64, "3917.32.90", PhotoShape::CableCoil,
     "Eletroduto flexível corrugado {20|25|32} mm {amarelo|laranja|preto};"
     "Curva 90° para eletroduto {3/4\"|1\"|1 1/4\"};Abraçadeira tipo D {3/4\"|1\"}"},
    {"CB", "Fios e cabos", 71, "8544.49.00", PhotoShape::CableCoil,
     "Cabo flexível 750 V {1,5|2,5|4|6|10} mm² {preto|azul|vermelho|verde-amarelo};"
     "Cabo PP {2x1,5|3x2,5|4x4} mm² 500 V"},
    {"CN", "Conectores e terminais", 72, "8536.90.90", PhotoShape::RailDevice,
     "Terminal tubular isolado {0,5|1,5|2,5|4|6|10} mm²;Conector de emenda {2|3|5} vias {2,5|4} mm²;"
     "Borne para trilho DIN {2,5|4|6|10} mm² {cinza|azul}"},
    {"IL", "Iluminação", 81, "9405.40.90", PhotoShape::Lamp,
     "Luminária LED de {sobrepor|embutir} {18|24|36} W {3000|4000|6500} K;"
     "Refletor LED {10|30|50|100} W {3000|6500} K IP66"},
    {"LP", "Lâmpadas", 82, "8539.50.00", PhotoShape::Lamp,
     "Lâmpada LED bulbo {9|12|15|20} W E27 {luz branca|luz amarela};"
     "Lâmpada LED tubular T8 {9|18} W {4000|6500} K"},
    {"SN", "Sensores e fotocélulas", 83, "8536.50.90", PhotoShape::Lamp,
     "Sensor de presença {de teto|de parede|de sobrepor} bivolt;Relé fotoelétrico {1000|1500} W bivolt"},
    {"CA", "Campainhas e cigarras", 84, "8531.80.00", PhotoShape::Socket,
     "Campainha {cigarra|ding-dong|eletrônica} {127|220} V"},
    {"ME", "Medidores e instrumentos", 91, "9030.31.00", PhotoShape::Enclosure,
     "{Voltímetro|Amperímetro|Frequencímetro} analógico {72x72|96x96} mm;"
     "Multimedidor digital de grandezas elétricas"},
};

QVector<ProductFamily> buildFamilies()
{
    QVector<ProductFamily> families;
    int position = 0;
    for (const FamilyText& text : kFamilies) {
        ProductFamily family;
        family.code = QString::fromUtf8(text.code);
        family.description = QString::fromUtf8(text.description);
        family.referenceBase = text.referenceBase;
        family.fiscalClass = QString::fromUtf8(text.fiscalClass);
        family.group = QStringLiteral("G%1").arg(10 + position);
        family.shape = text.shape;
        const QStringList patterns = QString::fromUtf8(text.patterns).split(QLatin1Char(';'));
        for (const QString& pattern : patterns)
            family.productDescriptions += DescriptionPattern::expand(pattern);
        families.append(family);
        ++position;
    }
    return families;
}

} // namespace

const QVector<ProductFamily>& FamilyList::families()
{
    static const QVector<ProductFamily> families = buildFamilies();
    return families;
}

int FamilyList::indexOf(const QString& code)
{
    const QVector<ProductFamily>& all = families();
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).code == code)
            return i;
    }
    return -1;
}

QString FamilyList::orphanCode()
{
    return QStringLiteral("HS");
}
