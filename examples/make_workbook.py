#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes the demo's workbook: 200 payment records with Cyrillic names, dates and
amounts in several number formats, three invoice lines per record and the payer's tax
number (twelve digits for a person, ten for an organisation, now and then none).

    make_workbook.py OUTPUT.xlsx
"""
import datetime
import random
import sys

import openpyxl
from openpyxl.styles import Font

SURNAMES = ["Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов", "Попов", "Васильев",
            "Соколов", "Михайлов", "Новиков", "Фёдоров", "Морозов", "Волков", "Алексеев"]
NAMES = ["Иван", "Пётр", "Алексей", "Сергей", "Дмитрий", "Андрей", "Николай", "Михаил",
         "Юрий", "Олег", "Артём", "Григорий"]
PATRONYMICS = ["Иванович", "Петрович", "Сергеевич", "Андреевич", "Николаевич",
               "Олегович", "Юрьевич"]
PURPOSES = ["Коммунальные услуги", "Членский взнос", "Оплата обучения за семестр",
            "штраф", "Пожертвование на благоустройство двора"]
ITEMS = ["Тетрадь", "Ручка шариковая", "Учебник", "Папка", "Калькулятор", "Линейка"]

# Weights of the tax number's check digits: one for ten digits, two for twelve.
TEN_WEIGHTS = [2, 4, 10, 3, 5, 9, 4, 6, 8]
ELEVEN_WEIGHTS = [7, 2, 4, 10, 3, 5, 9, 4, 6, 8]
TWELVE_WEIGHTS = [3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8]


def check_digit(digits, weights):
    return sum(d * w for d, w in zip(digits, weights)) % 11 % 10


def tax_number(rng):
    """A tax number with valid check digits as a text, or None for a payer without one.
    Drawn from its own generator so that the other columns keep their values."""
    kind = rng.random()
    if kind < 0.1:
        return None
    if kind < 0.35:
        digits = [rng.randrange(10) for _ in range(9)]
        digits.append(check_digit(digits, TEN_WEIGHTS))
    else:
        digits = [rng.randrange(10) for _ in range(10)]
        digits.append(check_digit(digits, ELEVEN_WEIGHTS))
        digits.append(check_digit(digits, TWELVE_WEIGHTS))
    return "".join(str(d) for d in digits)


def main(path):
    rng = random.Random(20261209)
    tax_rng = random.Random(20261210)
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Платежи"
    header = ["Плательщик", "Дата", "Сумма", "Назначение", "Код", "Доля",
              "Товар 1", "Товар 2", "Товар 3", "Цена 1", "Цена 2", "Цена 3", "ИНН"]
    sheet.append(header)
    for cell in sheet[1]:
        cell.font = Font(bold=True)
    start = datetime.date(2026, 1, 1)
    for i in range(200):
        name = f"{rng.choice(SURNAMES)} {rng.choice(NAMES)} {rng.choice(PATRONYMICS)}"
        date = start + datetime.timedelta(days=rng.randrange(365))
        amount = round(rng.uniform(150, 250000), 2)
        items = rng.sample(ITEMS, 3)
        prices = [round(rng.uniform(10, 3000), 2) for _ in range(3)]
        sheet.append([name, date, amount, rng.choice(PURPOSES), rng.randrange(1, 999999),
                      rng.random(), *items, *prices, tax_number(tax_rng)])
        row = sheet.max_row
        sheet.cell(row, 2).number_format = "DD.MM.YYYY" if i % 3 else '[$-419]D MMMM YYYY "г."'
        sheet.cell(row, 3).number_format = "#,##0.00"
        sheet.cell(row, 5).number_format = "000000"
        sheet.cell(row, 6).number_format = "0%"
        for column in range(10, 13):
            sheet.cell(row, column).number_format = "0.00"
    book.save(path)


if __name__ == "__main__":
    main(sys.argv[1])
