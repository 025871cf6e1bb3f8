"""The two level packs in the order the player meets them: the teaching levels, the middle chapter, the late one
and the closing ones; then the bonus levels. Apart from levels.py, whose helpers every chapter builds with."""
import levels
import levels_bonus
import levels_final
import levels_late
import levels_middle
import levels_summit

MAIN_LEVELS = levels.LEVELS + levels_middle.LEVELS + levels_late.LEVELS + levels_final.LEVELS + levels_summit.LEVELS
BONUS_LEVELS = levels.BONUS_LEVELS + levels_bonus.BONUS_LEVELS


def write(data):
    levels.write(data, MAIN_LEVELS, BONUS_LEVELS)
