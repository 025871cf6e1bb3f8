"""The two level packs in the order the player meets them: the teaching levels, the middle chapter and the
last one; then the bonus levels. Apart from levels.py, whose helpers every chapter builds with."""
import levels
import levels_bonus
import levels_late
import levels_middle

MAIN_LEVELS = levels.LEVELS + levels_middle.LEVELS + levels_late.LEVELS
BONUS_LEVELS = levels.BONUS_LEVELS + levels_bonus.BONUS_LEVELS


def write(data):
    levels.write(data, MAIN_LEVELS, BONUS_LEVELS)
